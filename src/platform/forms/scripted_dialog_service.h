#pragma once

#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/dialog_service.h"

namespace tavrello::forms {

// A dialog service without a screen, for tests and the command line. It
// records everything it is asked and answers from queues filled beforehand;
// with an empty queue it gives the default answer: a message box its first
// button (Ok, Abort, Yes or Retry), an input box and a file dialog the empty
// text (cancel), a range prompt nothing (cancel).
//
// A form shown modally runs the script registered for its name, which acts
// on the form as a user would and normally closes it; when the script leaves
// the form open, or no script is registered, the form is hidden at once so
// that Show returns. Forms shown modeless stay loaded and visible, and run the
// script registered for them with onModeless.
//
// With an echo stream, every message box is also written to it as one line,
// "<icon>: <title>: <text>", line breaks in the text shown as " | ".
class ScriptedDialogService : public DialogService {
 public:
  struct Prompt {
    std::string prompt;
    std::string title;
    std::string defaultText;
  };
  struct FileDialogRecord {
    bool save = false;
    FileDialogRequest request;
  };
  using ModalScript = std::function<void(Form& form)>;

  explicit ScriptedDialogService(std::ostream* echo = nullptr) : echo_(echo) {}

  // Queue the next answers. A message box answer must be one of that box's
  // buttons; another fails the box with "Invalid procedure call or argument".
  void answerMessageBox(MsgResult answer) { boxAnswers_.push_back(answer); }
  void answerInput(std::string text) { inputAnswers_.push_back(std::move(text)); }
  void answerRange(std::optional<std::string> address) { rangeAnswers_.push_back(std::move(address)); }
  void answerPassword(std::optional<std::string> password) { passwordAnswers_.push_back(std::move(password)); }
  void answerFile(std::string path) { fileAnswers_.push_back(std::move(path)); }

  // Runs `script` every time the form named `formName` is shown modally.
  void onModal(std::string formName, ModalScript script) { scripts_[std::move(formName)] = std::move(script); }

  // Runs `script` every time the form named `formName` is shown modeless; the
  // form stays open. A driver of the command line finds a window this way.
  void onModeless(std::string formName, ModalScript script) {
    modelessScripts_[std::move(formName)] = std::move(script);
  }

  // What was asked, in order.
  const std::vector<MessageBoxRequest>& boxes() const { return boxes_; }
  const std::vector<Prompt>& inputs() const { return inputs_; }
  const std::vector<Prompt>& rangePrompts() const { return ranges_; }
  const std::vector<Prompt>& passwordPrompts() const { return passwords_; }
  const std::vector<FileDialogRecord>& fileDialogs() const { return files_; }
  const std::vector<std::string>& modalForms() const { return modalForms_; }
  const std::vector<std::string>& modelessForms() const { return modelessForms_; }
  // How many boxes with the critical icon were shown (failure reports).
  int criticalCount() const { return criticalCount_; }

  // The echo line of a box (without the line end).
  static std::string consoleLine(const MessageBoxRequest& request);
  // The first button of a box.
  static MsgResult defaultAnswer(MsgButtons buttons);

  MsgResult messageBox(const MessageBoxRequest& request) override;
  std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::optional<std::string> passwordPrompt(const std::string& prompt, const std::string& title) override;
  std::optional<std::string> rangePrompt(const std::string& prompt, const std::string& title,
                                         const std::string& defaultAddress) override;
  std::string openFileDialog(const FileDialogRequest& request) override;
  std::string saveFileDialog(const FileDialogRequest& request) override;
  void runModal(Form& form) override;
  void showModeless(Form& form) override;
  void closeForm(Form& form) override;

 private:
  std::string fileDialog(bool save, const FileDialogRequest& request);

  std::ostream* echo_;
  std::deque<MsgResult> boxAnswers_;
  std::deque<std::string> inputAnswers_;
  std::deque<std::optional<std::string>> rangeAnswers_;
  std::deque<std::optional<std::string>> passwordAnswers_;
  std::deque<std::string> fileAnswers_;
  std::map<std::string, ModalScript> scripts_;
  std::map<std::string, ModalScript> modelessScripts_;

  std::vector<MessageBoxRequest> boxes_;
  std::vector<Prompt> inputs_;
  std::vector<Prompt> ranges_;
  std::vector<Prompt> passwords_;
  std::vector<FileDialogRecord> files_;
  std::vector<std::string> modalForms_;
  std::vector<std::string> modelessForms_;
  int criticalCount_ = 0;
};

// The service of the headless host: scripted, echoing every box to standard
// error.
std::shared_ptr<ScriptedDialogService> makeConsoleDialogService();

}  // namespace tavrello::forms
