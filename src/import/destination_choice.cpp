#include "import/destination_choice.h"

#include <memory>

#include "addin/m_globals.h"
#include "platform/forms/dialog_service.h"
#include "query/form_sql_new.h"
#include "support/maker_site.h"

namespace tavrello {
namespace {

constexpr int kCellReference = 8;

}  // namespace

bool ChooseDestination(formSQLNew& form) {
  host::Application& app = MGlobals::xlApp();
  if (form.CheckNewWorkbook.Value() == 1) {
    requireObject(app.Workbooks()).Add();
    requireObject(app.Range("A1")).Select();
  }
  if (form.CheckSelectCell.Value() != 1) return true;
  // Each pass waits for the user's answer; a cancel ends the loop.
  for (;;) {
    std::shared_ptr<host::Range> chosen = app.InputBox(
        "Please select the destination cell - Please only select one cell - top left corner of destination:",
        kAppTitle, requireObject(app.ActiveCell()).Address(), kCellReference);
    if (!chosen) return false;
    requireObject(chosen->Parent()).Select();
    chosen->Select();
    if (requireObject(chosen->Cells()).Count() <= 1) return true;
    forms::MsgBox("You only need to select one cell - the top left hand corner of the destination range.",
                  forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kAppTitle);
  }
}

}  // namespace tavrello
