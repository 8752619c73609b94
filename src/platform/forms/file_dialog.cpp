#include "platform/forms/file_dialog.h"

#include "platform/forms/dialog_service.h"

namespace tavrello::forms {

void FileDialog::ShowOpen() { show(false); }
void FileDialog::ShowSave() { show(true); }

void FileDialog::show(bool save) {
  const FileDialogRequest request{initDir_, title_, filter_, fileName_};
  fileName_ = save ? dialogs().saveFileDialog(request) : dialogs().openFileDialog(request);
  if (fileName_.empty() && cancelError_) throw Failure(32755, "Cancel was selected.");
}

}  // namespace tavrello::forms
