#include "platform/db/odbc_session.h"

#include "platform/db/db_failure.h"

namespace tavrello::db {

std::unique_ptr<Session> openOdbcSession(const std::string&, std::vector<std::string>) {
  throw Failure(failure_number::kProviderNotFound, "ODBC connections are being built and not yet available.");
}

}  // namespace tavrello::db
