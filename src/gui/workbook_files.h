#pragma once

namespace tavrello::host {
class WorkbookApplication;
}

namespace tavrello::gui {

// The File menu's work on workbooks: open, save, save as, close, and the
// question before unsaved changes are lost. Every question and message goes
// through the dialog service, so the commands run the same with Qt dialogs
// and with a scripted service in tests.
class WorkbookFiles {
 public:
  explicit WorkbookFiles(host::WorkbookApplication& app) : app_(app) {}

  // Asks for an .xlsx file and opens it as a new active workbook.
  void open();
  // Saves the active workbook to its file, or asks for one first.
  bool save();
  // Asks for a file and saves the active workbook there.
  bool saveAs();
  // Closes the active workbook, after asking about unsaved changes; false
  // when the user chose to keep it open.
  bool closeActive();
  // Closes every workbook as the host exits; false when the user cancelled.
  bool closeAll();

 private:
  host::WorkbookApplication& app_;
};

}  // namespace tavrello::gui
