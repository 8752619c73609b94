#pragma once

#include <string>

#include "platform/forms/control.h"

namespace tavrello::forms {

// The common file dialog: a control without a window of its own that asks
// the dialog service for a file name.
class FileDialog : public Control {
 public:
  FileDialog(Form* form, std::string name) : Control(form, ControlKind::FileDialog, std::move(name)) {}

  const std::string& InitDir() const { return initDir_; }
  void InitDir(std::string folder) { initDir_ = std::move(folder); }
  const std::string& DialogTitle() const { return title_; }
  void DialogTitle(std::string title) { title_ = std::move(title); }
  // "Description|pattern|Description|pattern".
  const std::string& Filter() const { return filter_; }
  void Filter(std::string filter) { filter_ = std::move(filter); }
  const std::string& FileName() const { return fileName_; }
  void FileName(std::string name) { fileName_ = std::move(name); }
  // With CancelError set, cancelling fails with 32755 "Cancel was selected.".
  bool CancelError() const { return cancelError_; }
  void CancelError(bool on) { cancelError_ = on; }

  // Ask for a file to open or to save to; FileName becomes the answer, the
  // empty text when the user cancels.
  void ShowOpen();
  void ShowSave();

 private:
  void show(bool save);

  std::string initDir_;
  std::string title_;
  std::string filter_;
  std::string fileName_;
  bool cancelError_ = false;
};

}  // namespace tavrello::forms
