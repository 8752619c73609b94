#pragma once

#include <string>
#include <string_view>

#include "platform/host/query_tables.h"

namespace tavrello::host {

// A query table's connection text taken apart: which kind of source the
// prefix names, and the connection string after it.
struct QuerySource {
  enum class Kind { Odbc, OleDb };
  Kind kind;
  std::string connectionString;
};

// The connection as one text: the text itself, or the texts of the array
// form joined end to end (long strings are split that way).
std::string joinConnection(const QueryConnection& connection);

// Reads "ODBC;<string>" or "OLEDB;<string>" (prefix in any letter case).
// Other prefixes (URL;, TEXT;, FINDER;), no prefix or an empty connection
// string fail with 1004 saying what this host accepts.
QuerySource parseQuerySource(std::string_view text);

// The name of the worksheet's scope that marks a query table's block: the
// table's name with spaces, and any other character a name cannot hold,
// turned into underscores ("Query from Sales" -> "Query_from_Sales"); a
// leading underscore is added when the result would start with a digit or
// read as a cell reference.
std::string blockNameFor(std::string_view queryTableName);

}  // namespace tavrello::host
