#include "platform/host/workbook/password_refresh.h"

#include "platform/host/workbook/connection_trust.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/sheet_query_table.h"

namespace tavrello::host {

bool refreshAskingPassword(SheetQueryTable& table, const PasswordAsker& askPassword) {
  const QueryConnection stored = table.Connection();
  const QuerySource source = parseQuerySource(joinConnection(stored));
  if (table.SavePassword() || !lacksPassword(source.connectionString)) {
    table.Refresh(false);
    return true;
  }
  std::optional<std::string> password = askPassword();
  if (!password) return false;
  table.Connection((source.kind == QuerySource::Kind::Odbc ? "ODBC;" : "OLEDB;") +
                   withPassword(source.connectionString, *password));
  try {
    table.Refresh(false);
  } catch (...) {
    table.Connection(stored);
    throw;
  }
  table.Connection(stored);
  return true;
}

}  // namespace tavrello::host
