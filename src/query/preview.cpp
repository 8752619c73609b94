#include <memory>

#include "addin/m_globals.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/forms/dialog_service.h"
#include "query/form_sql_new.h"
#include "query/recordset_grid_source.h"
#include "query/statement_guard.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

// Execute: run the statement and show its rows on the "Resultset View" page.
namespace tavrello {

void formSQLNew::CommandExecute_Click() {
  MErrorHandler::handled(kModule, "CommandExecute_Click", [this] {
    // The preview does not test the connection: executing on one that did not
    // open fails, and that failure is reported here.
    if (!RunStatementGuard(*this, ConnectionCheck::None)) return;
    if (!MGlobals::gcnDatabase) throw Failure::objectNotSet();
    std::shared_ptr<db::Recordset> result = MGlobals::gcnDatabase->Execute(TextSQL.Text());
    if (result->Eof()) {
      forms::MsgBox("No records were returned (the record count = 0),  Please check the SQL statement!",
                    forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kAppTitle);
      return;
    }
    // The grid keeps the result set, and gcnDatabase stays open, until the
    // next statement run replaces them.
    DataGrid.DataSource(std::make_shared<RecordsetGridSource>(std::move(result)));
    DataGrid.Refresh();
    SSTab1.Tab(1);
  });
}

}  // namespace tavrello
