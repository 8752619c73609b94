#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrello::host {

// tavrello import --connection NAME (--sql TEXT | --sql-file FILE)
//     [--cell ADDRESS | --new-workbook] [--headers] [--format SCHEME]
//     [--autofilter] [--embed NAME] [--workbook BOOK.xlsx] --output OUT.xlsx
//
// Runs the add-in's import without a display, as a user at the window
// would: loads the registered add-ins (HeadlessSession, on a host reporting
// `hostVersion`), opens BOOK (or a new workbook), makes ADDRESS (A1 unless
// given) the active cell of its active sheet, chooses NAME on the Tavrello
// tool bar and clicks Quick Load, types the statement into the query
// window's statement box (or opens FILE with its Open button), ticks the
// boxes as asked (New Workbook or Active Cell, Headers, Auto Filter),
// chooses the scheme ("No Formatting" unless given) and clicks Paste, or
// types NAME into the Embed name and clicks Embed. Every message box is
// printed on `err`, one line each. The import completed when the query
// window unloaded and no failure was shown; only then is the workbook that
// received the rows saved as OUT, atomically. While it runs, standard error
// shows its progress when it is a terminal, and Ctrl-C stops the statement
// or the save (see TerminalProgress). Returns 0 when it completed, 1 for a
// refusal or a reported failure, 2 for arguments it cannot read, 130 when
// Ctrl-C stopped it (nothing saved).
int runImport(const std::vector<std::string>& arguments, std::ostream& err, const std::string& hostVersion);

}  // namespace tavrello::host
