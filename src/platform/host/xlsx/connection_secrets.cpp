#include "platform/host/xlsx/connection_secrets.h"

#include "platform/db/secrets.h"

namespace tavrello::host::xlsx {

std::string withoutPasswords(std::string_view connectionString) {
  return db::hidePasswords(connectionString, db::PasswordHiding::Remove);
}

}  // namespace tavrello::host::xlsx
