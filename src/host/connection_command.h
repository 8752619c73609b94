#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrello::host {

// What the connection command talks to.
struct ConnectionIo {
  std::ostream& out;  // the list, and what was done
  std::ostream& err;  // every message box, one line each; errors
  std::istream& in;   // the connection string when it is given as "-"
  // The version the host reports (--host-version).
  std::string hostVersion = "12.0";
};

// tavrello connection list | add NAME STRING | edit NAME STRING | remove NAME
//
// Loads the registered add-in headless, opens its query window with Quick
// Load (the tool bar's placeholder chosen, so the window is disconnected),
// clicks New/Edit and works the connection manager and editor as a user
// would: Add, type the name and the string, OK; select the first row named
// NAME, Edit, type the string, OK; select it, Remove, Yes; then the
// manager's OK. So the settings file is written by the dialogs and nothing
// else. `list` prints each connection of the manager's list, in file order,
// as the name, a tab and the connection string with every PWD and Password
// value shown as ***, and closes the manager with its close box. A STRING of
// "-" is read from the first line of `in` (at most 64 KiB), which keeps a
// password off the command line.
//
// Returns the exit status: 0 done; 1 when a failure or refusal was shown
// (any message box other than the removal's Yes/No question, or an editor
// that stayed open after OK), when no connection is named NAME (the file
// is then not written), or when the add-in or its windows are not there;
// 2 for arguments it cannot read.
int runConnection(const std::vector<std::string>& arguments, const ConnectionIo& io);

}  // namespace tavrello::host
