#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrello::host {

// A workbook is untrusted input: whoever wrote it chose its query tables'
// connections. Before a refresh opens one (the headless command, or the
// window's Refresh All), these checks find what would let the file's author
// run code or read files on this machine through the database layer, which
// only the user may allow (--trust, or Yes when the window asks).

// Why the connection text of a query table ("ODBC;..." or "OLEDB;...") must
// not be opened without the user's trust, or nothing when it may be:
// a driver named by a file path (Driver=/..., Driver=./...), which would
// load that library; a file DSN (FILEDSN=), whose contents the author
// chose, or one to be written (SAVEFILE=); a driver option that loads
// libraries (LoadExt=, plugin_dir=); a provider outside this host's list
// (SQLite, MSDASQL); or text that does not read as a connection string. The
// checks look inside quoted values too (Extended Properties).
std::optional<std::string> untrustedReason(std::string_view connectionText);

// Whether the connection string (without its prefix) names a user but holds
// no password (PWD, Password): its password was not saved with the workbook.
bool lacksPassword(std::string_view connectionString);

// The connection string with the password added: PWD for ODBC strings,
// Password for OLE DB provider strings, quoted as the syntax needs.
std::string withPassword(std::string_view connectionString, std::string_view password);

}  // namespace tavrello::host
