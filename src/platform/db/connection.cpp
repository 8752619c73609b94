#include "platform/db/connection.h"

#include "platform/db/connection_string.h"
#include "platform/db/db_failure.h"
#include "platform/db/fetch_watcher.h"
#include "platform/db/file_dsn.h"
#include "platform/db/odbc_session.h"
#include "platform/db/provider_route.h"
#include "platform/db/secrets.h"
#include "platform/db/session.h"
#include "platform/db/sqlite_session.h"
#include "platform/db/statement_text.h"

namespace tavrello::db {

Connection::Connection() = default;

Connection::~Connection() = default;

template <class Work>
auto Connection::guarded(Work&& work) {
  try {
    return work();
  } catch (Failure& failure) {
    failure.setDescription(redact(failure.description(), secrets_));
    throw;
  }
}

void Connection::Open(std::string_view connectionString) {
  if (session_) throw objectOpen();
  const db::ConnectionString parsed = db::ConnectionString::parse(connectionString);
  secrets_ = passwordsOf(parsed);
  session_ = guarded([&]() -> std::unique_ptr<Session> {
    const ProviderRoute route = routeConnectionString(parsed);
    if (route.kind == ProviderRoute::Kind::Sqlite) return openSqliteSession(route.target, route.readOnly);
    // A file DSN may hold a password of its own.
    const auto odbc = db::ConnectionString::parse(expandFileDsn(db::ConnectionString::parse(route.target)));
    for (std::string& secret : passwordsOf(odbc)) secrets_.push_back(std::move(secret));
    return openOdbcSession(odbc.text(), secrets_);
  });
  connectionString_ = std::string(connectionString);
}

void Connection::Close() {
  if (!session_) throw objectClosed();
  session_.reset();
  connectionString_.clear();
  secrets_.clear();
}

void Connection::CursorLocation(long location) {
  if (location < 1 || location > 3) throw badArguments();
  cursorLocation_ = location;
}

std::shared_ptr<Recordset> Connection::Execute(std::string_view commandText) {
  if (!session_) throw invalidConnection();
  checkStatementText(commandText);
  return guarded([&] {
    std::shared_ptr<Recordset> result;
    const auto statement = [&] { result = session_->execute(commandText); };
    if (FetchWatcher* watcher = fetchWatcher()) {
      watcher->runStatement(statement);
    } else {
      statement();
    }
    return result;
  });
}

Session& Connection::session() {
  if (!session_) throw invalidConnection();
  return *session_;
}

}  // namespace tavrello::db
