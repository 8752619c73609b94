#include "import/changed_values_report.h"

#include "platform/forms/dialog_service.h"
#include "query/form_sql_new.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

namespace tavrello {

void TellChangedValues(const host::CopyReport& report, std::string_view procedure) noexcept {
  if (report.empty()) return;
  try {
    std::string text = "Some values could not be placed in the sheet exactly as the database gave them:";
    for (const host::ColumnChange& change : report.changes) {
      const std::string line = change.toString();
      text += "\r\n" + line;
      MErrorHandler::LogNote(formSQLNew::kModule, procedure, line);
    }
    forms::MsgBox(text, forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kAppTitle);
  } catch (...) {
    // Out of memory while telling; the import itself is done.
  }
}

}  // namespace tavrello
