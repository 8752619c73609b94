#include "platform/host/workbook/query_connection.h"

#include <cctype>

#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/ascii.h"
#include "platform/system/failure.h"

namespace tavrello::host {

std::string joinConnection(const QueryConnection& connection) {
  if (const auto* text = std::get_if<std::string>(&connection)) return *text;
  std::string joined;
  for (const auto& part : std::get<std::vector<std::string>>(connection)) joined += part;
  return joined;
}

QuerySource parseQuerySource(std::string_view text) {
  auto semicolon = text.find(';');
  std::string_view prefix = semicolon == std::string_view::npos ? std::string_view() : text.substr(0, semicolon);
  QuerySource source{QuerySource::Kind::Odbc, {}};
  if (sameName(prefix, "ODBC")) source.kind = QuerySource::Kind::Odbc;
  else if (sameName(prefix, "OLEDB")) source.kind = QuerySource::Kind::OleDb;
  else
    throw Failure::host(
        "A query table's connection must begin with ODBC; or OLEDB; followed by a connection string; this host "
        "does not read web, text or Data Finder sources.");
  source.connectionString = std::string(text.substr(semicolon + 1));
  if (source.connectionString.find_first_not_of(" \t;") == std::string::npos)
    throw Failure::host("The query table's connection string after " + std::string(prefix) + "; is empty.");
  return source;
}

std::string blockNameFor(std::string_view queryTableName) {
  std::string name;
  for (char c : queryTableName) {
    auto u = static_cast<unsigned char>(c);
    bool allowed = std::isalnum(u) || c == '_' || c == '.' || c == '\\' || u >= 0x80;
    name += allowed ? c : '_';
  }
  if (name.empty()) return "_";
  bool startsBadly = std::isdigit(static_cast<unsigned char>(name.front())) || name.front() == '.';
  bool readsAsCell = false;
  try {
    parseAddress(name, GridSize{});
    readsAsCell = true;
  } catch (const Failure&) {
  }
  // "R1C1", "R", "C" name cells or whole rows and columns in the other
  // reference style.
  std::string upper;
  for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  bool r1c1 = upper == "R" || upper == "C";
  if (!r1c1 && (upper[0] == 'R' || upper[0] == 'C')) {
    std::size_t i = 1;
    while (i < upper.size() && std::isdigit(static_cast<unsigned char>(upper[i]))) ++i;
    if (upper[0] == 'R' && i < upper.size() && upper[i] == 'C') {
      ++i;
      while (i < upper.size() && std::isdigit(static_cast<unsigned char>(upper[i]))) ++i;
    }
    r1c1 = i == upper.size();
  }
  if (startsBadly || readsAsCell || r1c1) name.insert(name.begin(), '_');
  if (name.size() > 255) name.resize(255);
  return name;
}

}  // namespace tavrello::host
