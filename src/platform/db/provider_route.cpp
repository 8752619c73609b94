#include "platform/db/provider_route.h"

#include "platform/db/db_failure.h"

namespace tavrello::db {

namespace {

// "Name" or "Name.<version>", letter case ignored.
bool isProvider(std::string_view value, std::string_view name) {
  const std::size_t dot = value.find('.');
  std::string_view base = value.substr(0, dot);
  if (!sameKey(base, name)) return false;
  if (dot == std::string_view::npos) return true;
  std::string_view version = value.substr(dot + 1);
  if (version.empty()) return false;
  for (char c : version) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The OLE DB keys of the ODBC provider and their ODBC names.
struct KeyMapping {
  const char* oleDb;
  const char* odbc;
};
constexpr KeyMapping kMsdasqlKeys[] = {
    {"Data Source", "DSN"}, {"User ID", "UID"}, {"Password", "PWD"}, {"Initial Catalog", "DATABASE"}};

std::string odbcFromMsdasql(const ConnectionString& cs) {
  bool translate = false;
  for (const auto& pair : cs.pairs()) {
    for (const auto& m : kMsdasqlKeys) translate |= sameKey(pair.key, m.oleDb);
    translate |= sameKey(pair.key, "Extended Properties");
  }
  if (!translate) return cs.without("Provider");
  std::string out;
  for (const auto& pair : cs.pairs()) {
    if (sameKey(pair.key, "Provider") || sameKey(pair.key, "Persist Security Info")) continue;
    if (sameKey(pair.key, "Extended Properties")) {
      out += pair.value;
      if (!out.empty() && out.back() != ';') out += ';';
      continue;
    }
    std::string key = pair.key;
    for (const auto& m : kMsdasqlKeys) {
      if (sameKey(pair.key, m.oleDb)) key = m.odbc;
    }
    out += key + "=" + ConnectionString::quoteValue(pair.value) + ";";
  }
  return out;
}

}  // namespace

ProviderRoute routeConnectionString(const ConnectionString& cs) {
  const auto provider = cs.get("Provider");
  if (!provider) return {ProviderRoute::Kind::Odbc, cs.text()};
  if (isProvider(*provider, "SQLite") || isProvider(*provider, "SQLite3")) {
    std::string file = cs.get("Data Source").value_or(cs.get("Database").value_or(""));
    const std::string mode = cs.get("Mode").value_or("");
    return {ProviderRoute::Kind::Sqlite, file, sameKey(mode, "Read") || mode == "1"};
  }
  if (isProvider(*provider, "MSDASQL")) return {ProviderRoute::Kind::Odbc, odbcFromMsdasql(cs)};
  throw Failure(failure_number::kProviderNotFound,
                "Provider cannot be found: '" + *provider +
                    "'. Only SQLite (Provider=SQLite;Data Source=FILE) and ODBC connections (DSN=, FILEDSN=, "
                    "Driver= or Provider=MSDASQL) are available.");
}

}  // namespace tavrello::db
