#include <memory>

#include "addin/m_globals.h"
#include "platform/db/connection.h"
#include "platform/forms/dialog_service.h"
#include "platform/forms/shared_form.h"
#include "profiles/connection_list.h"
#include "profiles/form_profiles.h"
#include "profiles/settings_store.h"
#include "query/form_sql_new.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

// The query window's connect and disconnect cycle: which saved connection
// the builder uses, and the fresh database connection of each statement run.
namespace tavrello {
namespace {

constexpr long kClientSideCursor = 3;

}  // namespace

void formSQLNew::ComboConnections_Click() {
  MErrorHandler::handled(kModule, "ComboConnections_Click", [this] {
    if (ComboConnections.Text() == kNoConnectionItem) return;
    const std::string connectionString = MStandardCode::GetDataStringFromConnectionsArray(
        ComboConnections.Text(), ConnectionList::kConnectionStringColumn);
    // The builder's connection string is the memory of which connection it
    // uses: another string means another connection, and the user connects
    // again.
    if (connectionString != SQLBuilder.ConnectionString()) DisconnectFromQueryBuilder();
  });
}

void formSQLNew::CommandConnect_Click() {
  MErrorHandler::handled(kModule, "CommandConnect_Click", [this] {
    if (ComboConnections.Text() == kNoConnectionItem) {
      forms::MsgBox("You need to add a connection - Please use the New/Edit Button", forms::MsgButtons::OkOnly,
                    forms::MsgIcon::Information, kAppTitle);
      return;
    }
    const std::string connectionString = MStandardCode::GetDataStringFromConnectionsArray(
        ComboConnections.Text(), ConnectionList::kConnectionStringColumn);
    SQLBuilder.Reset();
    SQLBuilder.ConnectionString(connectionString);
    SQLBuilder.Connect();
    SQLBuilder.Visible(true);
    SSTab1.Visible(true);
    SSTab1.Tab(0);
    CommandDisconnect.Enabled(true);
    CommandOpenQueryFile.Enabled(true);
    CommandSave.Enabled(true);
    TextSQL.Visible(true);
    CommandConnect.Enabled(false);
    CommandManage.Enabled(false);
    Repaint();
  });
}

void formSQLNew::CommandDisconnect_Click() { DisconnectFromQueryBuilder(); }

void formSQLNew::DisconnectFromQueryBuilder() {
  SQLBuilder.QueryObject().ResetQuery();
  SQLBuilder.Disconnect();
  SQLBuilder.Visible(false);
  CommandConnect.Enabled(true);
  CommandManage.Enabled(true);
  for (forms::CommandButton* button :
       {&CommandDisconnect, &CommandExecute, &CommandExcel, &CommandOpenQueryFile, &CommandSave}) {
    button->Enabled(false);
  }
  SSTab1.Visible(false);
  TextSQL.Visible(false);
}

void formSQLNew::CommandManage_Click() { LoadProfilesForm(); }

void formSQLNew::LoadProfilesForm() {
  MErrorHandler::handled(kModule, "LoadProfilesForm", [] {
    const auto manager = forms::SharedForm<formProfiles>::instance();
    manager->Show(forms::ShowMode::Modal);
    // The manager is made afresh each time it opens: one that was only
    // hidden goes now, as its close box would take it.
    if (manager->Loaded()) manager->Unload();
  });
}

void formSQLNew::ConnectToDatabase(const std::string& name) {
  // Releasing the old connection closes it if it is still open.
  MGlobals::gcnDatabase.reset();
  MGlobals::gcnDatabase = std::make_shared<db::Connection>();
  // The lookup reports its own failures and then yields the empty text.
  const std::string connectionString =
      MStandardCode::GetDataStringFromConnectionsArray(name, ConnectionList::kConnectionStringColumn);
  // A connection that fails to open stays in gcnDatabase, closed, for the
  // caller to find; the cursor location applies to later result sets either way.
  try {
    MGlobals::gcnDatabase->Open(connectionString);
  } catch (const Failure&) {
  }
  MGlobals::gcnDatabase->CursorLocation(kClientSideCursor);
}

}  // namespace tavrello
