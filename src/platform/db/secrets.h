#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection_string.h"

namespace tavrello::db {

// The password values of a connection string (keys PWD and Password, any
// letter case), each both unquoted and as written, so that a driver that echoes
// either form is caught.
std::vector<std::string> passwordsOf(const ConnectionString& connectionString);

// `text` with every occurrence of each secret replaced by "****". Secrets of
// four characters or more are replaced wherever they occur; shorter ones only
// where they stand as a word of their own (between non-alphanumeric characters
// or the ends of the text), so that a short password cannot garble every
// message while an echoed `PWD=abc;` still loses its value.
std::string redact(std::string text, const std::vector<std::string>& secrets);

// What hidePasswords does with a password pair: drop it whole, or keep its
// key and show its value as "***".
enum class PasswordHiding { Remove, Mask };

// A connection string without its passwords: each PWD or Password pair (any
// letter case), also inside a quoted value that is a connection string of its
// own (the ODBC bridge's Extended Properties), removed or masked. The other
// pairs stay exactly as written. A string the connection-string syntax cannot
// read loses every stretch from a PWD= or Password= key to the next semicolon
// (Mask keeps the key and shows "***" for it), so a malformed string never
// lets a password through. This is where a connection string loses its
// secrets before it is stored or shown.
std::string hidePasswords(std::string_view connectionString, PasswordHiding how);

}  // namespace tavrello::db
