#pragma once

#include <string>
#include <vector>

namespace tavrello::host {

// What the user asked the program to do.
struct CommandLine {
  enum class Action { Run, Register, Unregister, Help, Version };
  Action action = Action::Run;
  bool headless = false;
  // The workbooks to open in the window, as given (the desktop's menu entry
  // and file manager pass the files chosen).
  std::vector<std::string> files;
  // Not empty when the arguments could not be read: what was wrong.
  std::string error;
};

// Reads the arguments after the program name:
//   tavrello [BOOK.xlsx ...]       run the host in its window, opening the workbooks
//   tavrello --headless            run the host headless
//   tavrello register              register Tavrello.so for the current user
//   tavrello unregister            remove that registration
//   tavrello --help | --version
// A workbook is a word that names a path (holds a "/") or ends in ".xlsx",
// or any word after "--"; other words are errors, so a mistyped command is
// told rather than opened as a file. Workbooks go with the window only.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
std::string usageText();

// The options every command and the window take.
struct GlobalOptions {
  // --host-version V: the version the host reports to the add-ins, which
  // also sets its grid (11.0 and below: 65,536 rows by 256 columns).
  std::string hostVersion = "12.0";
  // Not empty when an option could not be read: what was wrong.
  std::string error;
};

// Takes `--host-version V` (or `--host-version=V`) out of the arguments,
// wherever it stands before a "--". V is a version number such as 11.0,
// 12.0 or 14.0: digits, optionally followed by "." and digits.
GlobalOptions takeGlobalOptions(std::vector<std::string>& arguments);

}  // namespace tavrello::host
