#include "platform/db/odbc_session.h"

#include <sqlext.h>

#include <cstdlib>

#include "platform/db/db_failure.h"
#include "platform/db/odbc_cancel_watch.h"
#include "platform/db/odbc_failure.h"
#include "platform/db/odbc_handles.h"
#include "platform/db/odbc_reader.h"
#include "platform/db/odbc_text.h"

namespace tavrello::db {

namespace {

// Seconds a login may take before an unreachable server is reported.
constexpr SQLULEN kLoginTimeoutSeconds = 15;

std::string infoText(SQLHDBC dbc, SQLUSMALLINT what) {
  SQLWCHAR buffer[256] = {};
  SQLSMALLINT bytes = 0;
  if (!SQL_SUCCEEDED(SQLGetInfoW(dbc, what, buffer, sizeof buffer, &bytes))) return {};
  return fromOdbcWide(buffer, std::min<std::size_t>(static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR), 255));
}

SQLUINTEGER infoMask(SQLHDBC dbc, SQLUSMALLINT what) {
  SQLUINTEGER mask = 0;
  if (!SQL_SUCCEEDED(SQLGetInfoW(dbc, what, &mask, sizeof mask, nullptr))) return 0;
  return mask;
}

// Catalog calls give a result set of their own; these name its columns by position.
std::string textAt(const Column& column, std::size_t row) {
  return column.isNull(row) ? std::string() : column.display(row);
}

// Drivers disagree on whether catalog numbers arrive as integers or text.
long integerAt(const Column& column, std::size_t row) {
  const std::string text = textAt(column, row);
  return text.empty() ? 0 : std::strtol(text.c_str(), nullptr, 10);
}

// Catalog arguments are search patterns: escape '_' and '%' so a name such as
// order_items matches itself only.
std::string escapePattern(std::string_view name, const std::string& escape) {
  std::string out;
  for (char c : name) {
    if (!escape.empty() && (c == '_' || c == '%' || escape == std::string(1, c))) out += escape;
    out += c;
  }
  return out;
}

class OdbcSession final : public Session {
 public:
  OdbcSession(OdbcEnvironment env, OdbcConnectionHandle dbc, std::vector<std::string> secrets)
      : env_(std::move(env)), dbc_(std::move(dbc)), secrets_(std::move(secrets)) {
    const SQLUINTEGER getData = infoMask(dbc_.get(), SQL_GETDATA_EXTENSIONS);
    const SQLUINTEGER staticCursor = infoMask(dbc_.get(), SQL_STATIC_CURSOR_ATTRIBUTES1);
    mode_.boundGetData = (getData & SQL_GD_BOUND) && (getData & SQL_GD_ANY_ORDER);
    mode_.blockGetData = mode_.boundGetData && (getData & SQL_GD_BLOCK) && (staticCursor & SQL_CA1_POS_POSITION);
    mode_.wideText = driverKeepsWideText();
  }

  std::shared_ptr<Recordset> execute(std::string_view sql) override {
    OdbcStatement stmt = newStatement();
    if (mode_.blockGetData) {
      SQLSetStmtAttr(stmt.get(), SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_STATIC), 0);
    }
    OdbcCancelWatch watch(stmt.get());
    try {
      std::shared_ptr<Recordset> result = run(stmt, sql);
      if (watch.cancelled()) throw Failure::userCancel();
      return result;
    } catch (const Failure&) {
      if (watch.cancelled()) throw Failure::userCancel();
      throw;
    }
  }

  // Runs every statement of `sql` on `stmt`; the first one with columns is the result.
  std::shared_ptr<Recordset> run(OdbcStatement& stmt, std::string_view sql) {
    SQLRETURN rc;
    if (mode_.wideText) {
      OdbcWideString wide = toOdbcWide(sql);
      rc = SQLExecDirectW(stmt.get(), wide.data(), static_cast<SQLINTEGER>(wide.size()));
    } else {
      std::string narrow(sql);
      rc = SQLExecDirect(stmt.get(), reinterpret_cast<SQLCHAR*>(narrow.data()), static_cast<SQLINTEGER>(narrow.size()));
    }
    std::shared_ptr<Recordset> result;
    // Every statement of a batch runs; the first one with columns is the result.
    while (rc != SQL_NO_DATA) {
      check(stmt, rc);
      SQLSMALLINT columns = 0;
      check(stmt, SQLNumResultCols(stmt.get(), &columns));
      if (columns > 0 && !result) {
        result = std::make_shared<Recordset>(readOdbcResult(stmt.get(), mode_, secrets_));
      }
      rc = SQLMoreResults(stmt.get());
    }
    return result ? result : std::make_shared<Recordset>();
  }

  std::vector<CatalogObject> objects(ObjectKind kind) override {
    OdbcStatement stmt = newStatement();
    std::size_t nameColumn = 2;
    if (kind == ObjectKind::Procedure) {
      check(stmt, SQLProceduresW(stmt.get(), nullptr, 0, nullptr, 0, nullptr, 0));
    } else {
      OdbcWideString type = toOdbcWide(kind == ObjectKind::Table ? "TABLE" : kind == ObjectKind::View ? "VIEW" : "SYNONYM");
      check(stmt, SQLTablesW(stmt.get(), nullptr, 0, nullptr, 0, nullptr, 0, type.data(), SQL_NTS));
    }
    Recordset rs(readOdbcResult(stmt.get(), mode_, secrets_));
    std::vector<CatalogObject> out;
    for (std::size_t row = 0; row < rs.rowCount(); ++row) {
      std::string name = textAt(rs.column(nameColumn), row);
      // Some drivers number procedure versions as "name;1".
      if (kind == ObjectKind::Procedure) {
        const std::size_t semicolon = name.rfind(';');
        if (semicolon != std::string::npos && name.find_first_not_of("0123456789", semicolon + 1) == std::string::npos) {
          name.erase(semicolon);
        }
      }
      out.push_back({textAt(rs.column(1), row), std::move(name), kind});
    }
    return out;
  }

  std::vector<CatalogColumn> columns(std::string_view schema, std::string_view table) override {
    OdbcStatement stmt = newStatement();
    const std::string escape = infoText(dbc_.get(), SQL_SEARCH_PATTERN_ESCAPE);
    std::string schemaPattern = escapePattern(schema, escape);
    std::string tablePattern = escapePattern(table, escape);
    if (mode_.wideText) {
      OdbcWideString wideSchema = toOdbcWide(schemaPattern);
      OdbcWideString wideTable = toOdbcWide(tablePattern);
      check(stmt, SQLColumnsW(stmt.get(), nullptr, 0, schema.empty() ? nullptr : wideSchema.data(),
                              static_cast<SQLSMALLINT>(wideSchema.size()), wideTable.data(),
                              static_cast<SQLSMALLINT>(wideTable.size()), nullptr, 0));
    } else {
      check(stmt, SQLColumns(stmt.get(), nullptr, 0,
                             schema.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(schemaPattern.data()),
                             static_cast<SQLSMALLINT>(schemaPattern.size()),
                             reinterpret_cast<SQLCHAR*>(tablePattern.data()),
                             static_cast<SQLSMALLINT>(tablePattern.size()), nullptr, 0));
    }
    Recordset rs(readOdbcResult(stmt.get(), mode_, secrets_));
    std::vector<CatalogColumn> out;
    std::string firstSchema;
    for (std::size_t row = 0; row < rs.rowCount(); ++row) {
      // A driver without pattern escapes may still match look-alike names.
      if (textAt(rs.column(2), row) != table) continue;
      if (!schema.empty() && textAt(rs.column(1), row) != schema) continue;
      // Without a schema, the first schema that has the table answers.
      if (schema.empty() && !out.empty() && textAt(rs.column(1), row) != firstSchema) continue;
      if (out.empty()) firstSchema = textAt(rs.column(1), row);
      const auto sqlType = static_cast<SQLSMALLINT>(integerAt(rs.column(4), row));
      std::string typeName = textAt(rs.column(5), row);
      const DataType type = odbcDataType(sqlType, typeName);
      out.push_back({textAt(rs.column(3), row), std::move(typeName), type, integerAt(rs.column(10), row) != SQL_NO_NULLS});
    }
    return out;
  }

  char identifierQuote() override {
    const std::string quote = infoText(dbc_.get(), SQL_IDENTIFIER_QUOTE_CHAR);
    return quote.empty() ? ' ' : quote[0];
  }

  std::string serverName() override {
    return infoText(dbc_.get(), SQL_DBMS_NAME) + " " + infoText(dbc_.get(), SQL_DBMS_VER);
  }

 private:
  // A driver without the wide interface gets wide calls through the driver
  // manager, which narrows every character to one byte. Its SQLNativeSql
  // gives a statement back unchanged, which shows whether text survives.
  bool driverKeepsWideText() {
    const SQLWCHAR probe[] = {'S', 'E', 'L', 'E', 'C', 'T', ' ', '\'', 0x0436, 0x4E2D, '\'', 0};
    SQLWCHAR echoed[32] = {};
    SQLINTEGER length = 0;
    const SQLRETURN rc = SQLNativeSqlW(dbc_.get(), const_cast<SQLWCHAR*>(probe), SQL_NTS, echoed, 32, &length);
    if (!SQL_SUCCEEDED(rc) || length != 11) return true;
    return echoed[8] == probe[8] && echoed[9] == probe[9];
  }

  OdbcStatement newStatement() {
    OdbcStatement stmt;
    const SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_STMT, dbc_.get(), stmt.out());
    if (!SQL_SUCCEEDED(rc)) throw odbcFailure(SQL_HANDLE_DBC, dbc_.get(), rc, secrets_);
    return stmt;
  }

  void check(const OdbcStatement& stmt, SQLRETURN rc) {
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) throw odbcFailure(SQL_HANDLE_STMT, stmt.get(), rc, secrets_);
  }

  OdbcEnvironment env_;
  OdbcConnectionHandle dbc_;
  std::vector<std::string> secrets_;
  OdbcReadMode mode_;
};

}  // namespace

std::unique_ptr<Session> openOdbcSession(const std::string& connectionString, std::vector<std::string> secrets) {
  OdbcEnvironment env;
  SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, env.out());
  if (!SQL_SUCCEEDED(rc)) {
    throw Failure(failure_number::kProviderError, "The ODBC driver manager could not be started.");
  }
  rc = SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  if (!SQL_SUCCEEDED(rc)) throw odbcFailure(SQL_HANDLE_ENV, env.get(), rc, secrets);
  OdbcConnectionHandle dbc;
  rc = SQLAllocHandle(SQL_HANDLE_DBC, env.get(), dbc.out());
  if (!SQL_SUCCEEDED(rc)) throw odbcFailure(SQL_HANDLE_ENV, env.get(), rc, secrets);
  SQLSetConnectAttrW(dbc.get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
  OdbcWideString wide = toOdbcWide(connectionString);
  rc = SQLDriverConnectW(dbc.get(), nullptr, wide.data(), static_cast<SQLSMALLINT>(wide.size()), nullptr, 0, nullptr,
                         SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(rc)) throw odbcFailure(SQL_HANDLE_DBC, dbc.get(), rc, secrets);
  dbc.markConnected();
  return std::make_unique<OdbcSession>(std::move(env), std::move(dbc), std::move(secrets));
}

}  // namespace tavrello::db
