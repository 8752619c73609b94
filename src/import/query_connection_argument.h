#pragma once

#include <string>

#include "platform/host/query_tables.h"

namespace tavrello {

// The connection argument of QueryTables.Add for a stored connection
// string S (letter case ignored in both searches):
//  - S holds "ODBC" and "FILEDSN=": one text, "ODBC;" and S from its first
//    "FILEDSN=" on, less a final ";";
//  - S holds "ODBC" only: an array of one text, "ODBC;" and S;
//  - otherwise: an array of one text, "OLEDB;" and S.
// Only a final semicolon is dropped: a file DSN path at the very end of S
// keeps its last letter.
host::QueryConnection QueryConnectionArgument(const std::string& stored);

}  // namespace tavrello
