#pragma once

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <string>
#include <string_view>

namespace tavrello::db {

// ODBC's wide text is UTF-16 in SQLWCHAR units on unixODBC; the rest of the
// system speaks UTF-8. Malformed input becomes U+FFFD instead of failing, so a
// driver's odd byte never costs the user a whole result.
using OdbcWideString = std::basic_string<SQLWCHAR>;

OdbcWideString toOdbcWide(std::string_view utf8);
// Writes the UTF-8 form of `count` UTF-16 units to `out`, which has room for
// 3 * count bytes, and returns the number of bytes written. The hot path of
// every text value from a driver.
std::size_t writeUtf8(char* out, const SQLWCHAR* units, std::size_t count);
// Appends the UTF-8 form of `count` UTF-16 units to `out`.
void appendUtf8(std::string& out, const SQLWCHAR* units, std::size_t count);
std::string fromOdbcWide(const SQLWCHAR* units, std::size_t count);

}  // namespace tavrello::db
