#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tavrello::host {

// What the refresh command talks to besides the workbook.
struct RefreshIo {
  std::ostream& out;  // what was refreshed and saved
  std::ostream& err;  // refusals, failures, notes on the file
  // Asks for a password on the user's terminal; nothing without one.
  std::function<std::optional<std::string>(const std::string& prompt)> askPassword;
  // The version the host reports (--host-version), which sets its grid.
  std::string hostVersion = "12.0";
};

// tavrello refresh BOOK.xlsx [--output OTHER.xlsx] [--trust]
//
// Opens the workbook, refreshes every query table through the database
// layer as the host's Refresh does, and saves it (to OTHER when given,
// atomically in either case). A connection whose password was not saved
// takes it from the environment variable TAVRELLO_PASSWORD or, on a
// terminal, from a prompt; never from the command line. Without --trust a
// connection that names its driver by a file path, a file DSN, a library to
// load or a provider outside the host's list is refused, saying what and why
// (see connection_trust.h). What a refresh had to change in the values it
// placed (see CopyReport) goes to `err`, a line for each field and kind.
// When any table is refused or fails, nothing is
// saved; nor is a workbook without query tables, nor one holding parts the
// host does not keep (charts, formulas, ...) over its own file, which would
// lose them (--output saves it elsewhere). Returns the exit status: 0 done, 1 a table refused or failed or the
// workbook could not be opened or saved, 2 arguments it cannot read, 130
// when Ctrl-C stopped a statement or the save (nothing saved; standard error
// shows the progress when it is a terminal, see TerminalProgress).
int runRefresh(const std::vector<std::string>& arguments, const RefreshIo& io);

}  // namespace tavrello::host
