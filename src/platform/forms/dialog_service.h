#pragma once

#include <memory>
#include <optional>
#include <string>

namespace tavrello::forms {

class Form;

// Buttons, icons and answers of a message box, numbered as the platform the
// add-in was written for numbers them (its callers compare these numbers).
enum class MsgButtons { OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
  std::string text;
  MsgButtons buttons = MsgButtons::OkOnly;
  MsgIcon icon = MsgIcon::None;
  std::string title;
};

struct FileDialogRequest {
  std::string initialFolder;
  std::string title;
  // "Description|pattern|Description|pattern", as the common file dialog takes it.
  std::string filter;
  std::string fileName;
};

// Everything that asks the user something and waits for the answer. The
// program installs the Qt implementation; tests and the command line install
// the scripted one. Every call is made on the user-interface thread and blocks
// until the user has answered.
class DialogService {
 public:
  virtual ~DialogService() = default;

  // Shows a modal message box and returns the button chosen.
  virtual MsgResult messageBox(const MessageBoxRequest& request) = 0;

  // Asks for one line of text; returns the empty text when the user cancels.
  virtual std::string inputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;

  // Asks for a password, its characters hidden as they are typed; nothing
  // when the user cancels.
  virtual std::optional<std::string> passwordPrompt(const std::string& prompt, const std::string& title) = 0;

  // The host's range prompt: returns the address the user typed or pointed
  // at (B3, $B$3, Sheet2!B3, B2:D4), or nothing when the user cancels. The
  // host parses the address and asks again when it cannot read it.
  virtual std::optional<std::string> rangePrompt(const std::string& prompt, const std::string& title,
                                                 const std::string& defaultAddress) = 0;

  // File dialogs; each returns the chosen path, or the empty text on cancel.
  virtual std::string openFileDialog(const FileDialogRequest& request) = 0;
  virtual std::string saveFileDialog(const FileDialogRequest& request) = 0;

  // Shows a form modally and returns when it has been hidden or unloaded.
  virtual void runModal(Form& form) = 0;

  // Shows a form without waiting; returns at once.
  virtual void showModeless(Form& form) = 0;

  // The form is being unloaded or hidden: its window, if any, goes away.
  virtual void closeForm(Form& form) = 0;
};

// The process-wide dialog service. Until one is installed, a scripted service
// answers every box with its default button and every prompt with cancel.
DialogService& dialogs();

// Installs a dialog service and returns the one it replaces (null when the
// default was in place); null puts the default back.
std::shared_ptr<DialogService> setDialogService(std::shared_ptr<DialogService> service);

// Shorthand for a message box.
MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OkOnly, MsgIcon icon = MsgIcon::None,
                 const std::string& title = {});

// Shorthand for an input box: the text typed, or the empty text on cancel.
std::string InputBox(const std::string& prompt, const std::string& title = {}, const std::string& defaultText = {});

// Installs a dialog service for the lifetime of the object (a test, a run of
// the command line) and puts the previous one back afterwards.
class ScopedDialogService {
 public:
  explicit ScopedDialogService(std::shared_ptr<DialogService> service)
      : previous_(setDialogService(std::move(service))) {}
  ~ScopedDialogService() { setDialogService(std::move(previous_)); }
  ScopedDialogService(const ScopedDialogService&) = delete;
  ScopedDialogService& operator=(const ScopedDialogService&) = delete;

 private:
  std::shared_ptr<DialogService> previous_;
};

}  // namespace tavrello::forms
