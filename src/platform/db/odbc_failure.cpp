#include "platform/db/odbc_failure.h"

#include <sqlext.h>

#include <algorithm>

#include "platform/db/db_failure.h"
#include "platform/db/odbc_text.h"
#include "platform/db/secrets.h"

namespace tavrello::db {

namespace {

std::int32_t numberForState(const std::string& state) {
  const std::string cls = state.substr(0, 2);
  if (cls == "42" || cls == "37" || cls == "22" || cls == "07" || cls == "21") return failure_number::kCommandError;
  if (cls == "23") return failure_number::kIntegrity;
  if (cls == "28") return failure_number::kAuthFailed;
  if (state == "HYT00" || state == "HYT01") return failure_number::kTimeout;
  if (state == "25006") return failure_number::kReadOnly;
  return failure_number::kProviderError;
}

}  // namespace

Failure odbcFailure(SQLSMALLINT handleType, SQLHANDLE handle, SQLRETURN returnCode,
                    const std::vector<std::string>& secrets) {
  std::string text;
  std::string firstState;
  for (SQLSMALLINT record = 1; handle; ++record) {
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLWCHAR message[2048];
    const SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message,
                                        static_cast<SQLSMALLINT>(sizeof message / sizeof message[0]), &length);
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) break;
    const std::size_t shown =
        std::min<std::size_t>(static_cast<std::size_t>(length), sizeof message / sizeof message[0] - 1);
    const std::string sqlState = fromOdbcWide(state, 5);
    if (firstState.empty()) firstState = sqlState;
    std::string line = fromOdbcWide(message, shown);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!text.empty()) text += '\n';
    text += "[" + sqlState + "] " + line + " (native " + std::to_string(native) + ")";
  }
  if (text.empty()) {
    text = "The ODBC driver reported a failure without a diagnostic record (return code " +
           std::to_string(returnCode) + ").";
  }
  return {numberForState(firstState), redact(std::move(text), secrets)};
}

}  // namespace tavrello::db
