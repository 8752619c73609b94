#include "platform/forms/scripted_dialog_service.h"

#include <algorithm>
#include <initializer_list>
#include <iostream>

#include "platform/forms/form.h"
#include "platform/system/printable_text.h"

namespace tavrello::forms {
namespace {

const char* iconName(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical: return "Critical";
    case MsgIcon::Question: return "Question";
    case MsgIcon::Exclamation: return "Exclamation";
    case MsgIcon::Information: return "Information";
    case MsgIcon::None: break;
  }
  return "Message";
}

bool offers(MsgButtons buttons, MsgResult answer) {
  auto any = [answer](std::initializer_list<MsgResult> list) {
    return std::find(list.begin(), list.end(), answer) != list.end();
  };
  switch (buttons) {
    case MsgButtons::OkOnly: return any({MsgResult::Ok});
    case MsgButtons::OkCancel: return any({MsgResult::Ok, MsgResult::Cancel});
    case MsgButtons::AbortRetryIgnore: return any({MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore});
    case MsgButtons::YesNoCancel: return any({MsgResult::Yes, MsgResult::No, MsgResult::Cancel});
    case MsgButtons::YesNo: return any({MsgResult::Yes, MsgResult::No});
    case MsgButtons::RetryCancel: return any({MsgResult::Retry, MsgResult::Cancel});
  }
  return false;
}

template <class T>
T takeOr(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T next = std::move(queue.front());
  queue.pop_front();
  return next;
}

}  // namespace

std::string ScriptedDialogService::consoleLine(const MessageBoxRequest& request) {
  std::string text;
  for (std::size_t i = 0; i < request.text.size(); ++i) {
    const char c = request.text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < request.text.size() && request.text[i + 1] == '\n') ++i;
      text += " | ";
    } else {
      text += c;
    }
  }
  // Box texts carry names from settings files and workbooks, and databases'
  // messages: on a terminal their control characters are shown escaped.
  return std::string(iconName(request.icon)) + ": " + sys::printableText(request.title) + ": " +
         sys::printableText(text);
}

MsgResult ScriptedDialogService::defaultAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OkOnly:
    case MsgButtons::OkCancel: return MsgResult::Ok;
    case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo: return MsgResult::Yes;
    case MsgButtons::RetryCancel: return MsgResult::Retry;
  }
  return MsgResult::Ok;
}

MsgResult ScriptedDialogService::messageBox(const MessageBoxRequest& request) {
  boxes_.push_back(request);
  if (request.icon == MsgIcon::Critical) ++criticalCount_;
  if (echo_) *echo_ << consoleLine(request) << std::endl;
  const MsgResult answer = takeOr(boxAnswers_, defaultAnswer(request.buttons));
  if (!offers(request.buttons, answer)) {
    throw Failure::invalidCall("The scripted answer " + std::to_string(static_cast<int>(answer)) +
                               " is not a button of the box \"" + request.text + "\"");
  }
  return answer;
}

std::string ScriptedDialogService::inputBox(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText) {
  inputs_.push_back(Prompt{prompt, title, defaultText});
  return takeOr(inputAnswers_, std::string());
}

std::optional<std::string> ScriptedDialogService::passwordPrompt(const std::string& prompt, const std::string& title) {
  passwords_.push_back(Prompt{prompt, title, {}});
  return takeOr(passwordAnswers_, std::optional<std::string>());
}

std::optional<std::string> ScriptedDialogService::rangePrompt(const std::string& prompt, const std::string& title,
                                                              const std::string& defaultAddress) {
  ranges_.push_back(Prompt{prompt, title, defaultAddress});
  return takeOr(rangeAnswers_, std::optional<std::string>());
}

std::string ScriptedDialogService::openFileDialog(const FileDialogRequest& request) {
  return fileDialog(false, request);
}

std::string ScriptedDialogService::saveFileDialog(const FileDialogRequest& request) {
  return fileDialog(true, request);
}

std::string ScriptedDialogService::fileDialog(bool save, const FileDialogRequest& request) {
  files_.push_back(FileDialogRecord{save, request});
  return takeOr(fileAnswers_, std::string());
}

void ScriptedDialogService::runModal(Form& form) {
  modalForms_.push_back(form.Name());
  const auto script = scripts_.find(form.Name());
  if (script != scripts_.end()) {
    // A copy: the script may register scripts of its own.
    const ModalScript run = script->second;
    run(form);
  }
  if (form.Visible()) form.Hide();
}

void ScriptedDialogService::showModeless(Form& form) {
  modelessForms_.push_back(form.Name());
  const auto script = modelessScripts_.find(form.Name());
  if (script == modelessScripts_.end() || !script->second) return;
  const ModalScript run = script->second;
  run(form);
}

void ScriptedDialogService::closeForm(Form&) {}

std::shared_ptr<ScriptedDialogService> makeConsoleDialogService() {
  return std::make_shared<ScriptedDialogService>(&std::cerr);
}

}  // namespace tavrello::forms
