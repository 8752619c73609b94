#include "gui/workbook_files.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "gui/saved_states.h"
#include "platform/forms/dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::gui {
namespace {

constexpr const char* kWorkbookFilter = "Excel Workbook (*.xlsx)|*.xlsx";

void tell(const std::string& text, forms::MsgIcon icon) {
  forms::MsgBox(text, forms::MsgButtons::OkOnly, icon, host::kHostTitle);
}

}  // namespace

bool WorkbookFiles::open() {
  forms::FileDialogRequest request;
  request.title = "Open";
  request.filter = kWorkbookFilter;
  auto active = app_.activeBook();
  if (active && !active->path().empty()) {
    request.initialFolder = active->path().parent_path().string();
  } else {
    const char* home = std::getenv("HOME");
    request.initialFolder = home ? home : "";
  }
  const std::string path = forms::dialogs().openFileDialog(request);
  return !path.empty() && openFile(path);
}

bool WorkbookFiles::openFile(const std::string& path) {
  const auto before = app_.books();
  try {
    app_.Workbooks()->Open(path);
  } catch (const Failure& failure) {
    tell("The workbook could not be opened.\n\n" + failure.description(), forms::MsgIcon::Critical);
    return false;
  }
  auto opened = app_.activeBook();
  // A workbook that was open already keeps what it has not saved.
  if (!opened || std::find(before.begin(), before.end(), opened) != before.end()) return true;
  saved_.markSaved(*opened);
  // The new, untouched workbook the host started with makes way, as in a
  // spreadsheet program.
  if (before.size() == 1 && before.front()->path().empty() && !saved_.hasUnsavedChanges(*before.front())) {
    saved_.forget(*before.front());
    app_.closeBook(*before.front());
  }
  return true;
}

bool WorkbookFiles::save() {
  auto book = app_.activeBook();
  return book && save(*book);
}

bool WorkbookFiles::saveAs() {
  auto book = app_.activeBook();
  return book && saveAs(*book);
}

bool WorkbookFiles::save(host::Book& book) {
  if (book.path().empty()) return saveAs(book);
  try {
    book.Save();
  } catch (const Failure& failure) {
    tell("The workbook could not be saved.\n\n" + failure.description(), forms::MsgIcon::Critical);
    return false;
  }
  saved_.markSaved(book);
  return true;
}

bool WorkbookFiles::saveAs(host::Book& book) {
  forms::FileDialogRequest request;
  request.title = "Save As";
  request.filter = kWorkbookFilter;
  if (!book.path().empty()) {
    request.initialFolder = book.path().parent_path().string();
    request.fileName = book.path().filename().string();
  } else {
    const char* home = std::getenv("HOME");
    request.initialFolder = home ? home : "";
    request.fileName = book.Name() + ".xlsx";
  }
  const std::string path = forms::dialogs().saveFileDialog(request);
  if (path.empty()) return false;
  try {
    book.SaveAs(path);
  } catch (const Failure& failure) {
    tell("The workbook could not be saved as " + path + ".\n\n" + failure.description(), forms::MsgIcon::Critical);
    return false;
  }
  saved_.markSaved(book);
  return true;
}

bool WorkbookFiles::mayClose(host::Book& book) {
  if (!saved_.hasUnsavedChanges(book)) return true;
  switch (forms::MsgBox("Do you want to save the changes you made to '" + book.Name() + "'?",
                        forms::MsgButtons::YesNoCancel, forms::MsgIcon::Exclamation, host::kHostTitle)) {
    case forms::MsgResult::Yes: return save(book);
    case forms::MsgResult::No: return true;
    default: return false;
  }
}

bool WorkbookFiles::closeActive() {
  auto book = app_.activeBook();
  if (!book || !mayClose(*book)) return false;
  saved_.forget(*book);
  app_.closeBook(*book);
  return true;
}

bool WorkbookFiles::closeAll() {
  // Newest first, as the host's windows close.
  const auto books = app_.books();
  for (auto it = books.rbegin(); it != books.rend(); ++it) {
    if (!mayClose(**it)) return false;
  }
  return true;
}

}  // namespace tavrello::gui
