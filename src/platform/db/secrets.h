#pragma once

#include <string>
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

}  // namespace tavrello::db
