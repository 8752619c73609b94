#include "platform/host/workbook/connection_trust.h"

#include "platform/db/connection_string.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

// "Name" or "Name.<version>".
bool isProvider(std::string_view value, std::string_view name) {
  std::string_view base = value.substr(0, value.find('.'));
  return db::sameKey(base, name);
}

bool namesAPath(std::string_view value) {
  return value.find('/') != std::string_view::npos || value.find('\\') != std::string_view::npos ||
         (!value.empty() && (value.front() == '.' || value.front() == '~'));
}

std::optional<std::string> reasonIn(std::string_view text, int depth) {
  db::ConnectionString parsed;
  try {
    parsed = db::ConnectionString::parse(text);
  } catch (const Failure& failure) {
    return "its connection string cannot be read (" + failure.description() + ")";
  }
  for (const auto& pair : parsed.pairs()) {
    const std::string& value = pair.value;
    if (db::sameKey(pair.key, "Driver") && namesAPath(value))
      return "it names its ODBC driver by a file path ('" + value +
             "'), which would load a library the workbook chose instead of a driver installed on this machine";
    if (db::sameKey(pair.key, "FILEDSN"))
      return "it uses the file DSN '" + value + "', whose settings (the driver among them) the workbook chose";
    if (db::sameKey(pair.key, "SAVEFILE"))
      return "it asks the ODBC driver manager to write a file ('" + value + "')";
    if (db::sameKey(pair.key, "LoadExt") || db::sameKey(pair.key, "plugin_dir"))
      return "it asks the driver to load libraries ('" + pair.key + "=" + value + "')";
    if (db::sameKey(pair.key, "Provider") && !isProvider(value, "SQLite") && !isProvider(value, "SQLite3") &&
        !isProvider(value, "MSDASQL"))
      return "it names the provider '" + value + "', which is not one of this host's (SQLite, MSDASQL)";
    // A quoted value may be a connection string of its own (the ODBC
    // bridge's Extended Properties reach the driver manager).
    if (depth < 4 && value.find('=') != std::string::npos) {
      if (auto inner = reasonIn(value, depth + 1)) return inner;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> untrustedReason(std::string_view connectionText) {
  std::string connection;
  try {
    connection = parseQuerySource(connectionText).connectionString;
  } catch (const Failure& failure) {
    return failure.description();
  }
  return reasonIn(connection, 0);
}

bool lacksPassword(std::string_view connectionString) {
  db::ConnectionString parsed;
  try {
    parsed = db::ConnectionString::parse(connectionString);
  } catch (const Failure&) {
    return false;
  }
  bool user = false;
  for (const auto& pair : parsed.pairs()) {
    if (db::sameKey(pair.key, "PWD") || db::sameKey(pair.key, "Password")) return false;
    if ((db::sameKey(pair.key, "UID") || db::sameKey(pair.key, "User ID") || db::sameKey(pair.key, "User")) &&
        !pair.value.empty())
      user = true;
  }
  return user;
}

std::string withPassword(std::string_view connectionString, std::string_view password) {
  std::string text(connectionString);
  bool oleDb = false;
  try {
    oleDb = db::ConnectionString::parse(text).has("Provider");
  } catch (const Failure&) {
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  if (!text.empty() && text.back() != ';') text += ';';
  return text + (oleDb ? "Password=" : "PWD=") + db::ConnectionString::quoteValue(password) + ";";
}

}  // namespace tavrello::host
