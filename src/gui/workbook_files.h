#pragma once

#include <memory>
#include <string>

namespace tavrello::host {
class Book;
class WorkbookApplication;
}  // namespace tavrello::host

namespace tavrello::gui {

class SavedStates;

// The File menu's work on workbooks: open, save, save as, close, and the
// question before unsaved changes are lost. Every question and message goes
// through the dialog service, so the commands run the same with Qt dialogs
// and with a scripted service in tests. Failures are told to the user, never
// thrown.
class WorkbookFiles {
 public:
  WorkbookFiles(host::WorkbookApplication& app, SavedStates& saved) : app_(app), saved_(saved) {}

  // Asks for an .xlsx file and opens it as the active workbook (or
  // activates it when it is open already). An untouched new workbook that
  // was the only one open makes way for it. False when nothing was opened
  // (cancelled, or the file could not be read: told to the user).
  bool open();
  // Opens the workbook at `path` as open() does once a file is chosen: the
  // untouched new workbook makes way, an open one is activated. False, told
  // to the user, when the file cannot be read.
  bool openFile(const std::string& path);
  // Saves the active workbook to its file, or asks for one first (Save As).
  // False when nothing was saved (no workbook, cancelled, or failed).
  bool save();
  // Asks for an .xlsx file and saves the active workbook there.
  bool saveAs();
  // Closes the active workbook, after asking about unsaved changes; false
  // when it stays open (the user cancelled, or its save failed).
  bool closeActive();
  // The host is exiting: asks about each workbook with unsaved changes;
  // false when the user chose to stay.
  bool closeAll();

 private:
  bool save(host::Book& book);
  bool saveAs(host::Book& book);
  // Yes saves (and must succeed), No drops the changes, Cancel stays.
  bool mayClose(host::Book& book);

  host::WorkbookApplication& app_;
  SavedStates& saved_;
};

}  // namespace tavrello::gui
