#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tavrello::host {

class SheetQueryTable;

// Asks the user for the password of one query table's connection; nothing
// when none is given.
using PasswordAsker = std::function<std::optional<std::string>()>;

// Refreshes the table. A table that does not save its password keeps a
// connection that names a user and no password; the password is asked for
// first and the connection opened with it, while the table keeps (and a save
// writes) its connection without it. Returns false, having refreshed
// nothing, when a password was needed and none was given. A refresh that
// fails throws, the table's connection as it was.
bool refreshAskingPassword(SheetQueryTable& table, const PasswordAsker& askPassword);

}  // namespace tavrello::host
