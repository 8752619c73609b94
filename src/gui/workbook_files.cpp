#include "gui/workbook_files.h"

#include "platform/forms/dialog_service.h"
#include "platform/host/workbook/workbook_application.h"

namespace tavrello::gui {
namespace {

void notYet(const std::string& text) {
  forms::MsgBox(text, forms::MsgButtons::OkOnly, forms::MsgIcon::Information, host::kHostTitle);
}

}  // namespace

void WorkbookFiles::open() { notYet("Opening a workbook is not available yet: this host cannot read .xlsx files yet."); }

bool WorkbookFiles::save() {
  notYet("Saving a workbook is not available yet: this host cannot write .xlsx files yet.");
  return false;
}

bool WorkbookFiles::saveAs() {
  notYet("Saving a workbook is not available yet: this host cannot write .xlsx files yet.");
  return false;
}

bool WorkbookFiles::closeActive() {
  notYet("Closing a workbook is not available yet in this host.");
  return false;
}

bool WorkbookFiles::closeAll() { return true; }

}  // namespace tavrello::gui
