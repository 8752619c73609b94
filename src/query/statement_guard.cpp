#include "query/statement_guard.h"

#include <string>

#include "addin/m_globals.h"
#include "platform/forms/dialog_service.h"
#include "query/form_sql_new.h"
#include "query/statement_screen.h"
#include "support/maker_site.h"

namespace tavrello {
namespace {

constexpr long kOpenState = 1;

void refuse(formSQLNew& form, const std::string& message) {
  forms::MsgBox(message, forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kAppTitle);
  // A hidden statement box (the window disconnected) cannot take the focus;
  // the refusal stands without it.
  if (form.TextSQL.Visible()) form.TextSQL.SetFocus();
}

}  // namespace

bool RunStatementGuard(formSQLNew& form, ConnectionCheck check) {
  const std::string statement = form.TextSQL.Text();
  if (statement.empty()) {
    refuse(form, "The SQL Text Box is empty, please enter a SQL Statement");
    return false;
  }
  if (const auto keyword = firstBlockedKeyword(statement)) {
    const std::string word(*keyword);
    refuse(form, "Tavrello should not be used to run " + word + " statements.\r\nThis " + word +
                     " statement has been blocked.");
    return false;
  }
  formSQLNew::ConnectToDatabase(form.ComboConnections.Text());
  if (check == ConnectionCheck::RequireOpen &&
      (!MGlobals::gcnDatabase || MGlobals::gcnDatabase->State() != kOpenState)) {
    forms::MsgBox("There is no active connection open!", forms::MsgButtons::OkOnly, forms::MsgIcon::Exclamation,
                  kAppTitle);
    return false;
  }
  return true;
}

}  // namespace tavrello
