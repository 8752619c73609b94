#pragma once

#include <string>
#include <string_view>

namespace tavrello::host::xlsx {

// A connection string with every password removed: each PWD or Password
// pair (any letter case), also inside a quoted value that is a connection
// string of its own (the ODBC bridge's Extended Properties). The other pairs
// stay exactly as written. A string the connection-string syntax cannot read
// loses every stretch from a PWD= or Password= key to the next semicolon, so
// a malformed string never lets a password through. This is the one place a
// connection stored in a workbook loses its secrets (db::hidePasswords).
std::string withoutPasswords(std::string_view connectionString);

}  // namespace tavrello::host::xlsx
