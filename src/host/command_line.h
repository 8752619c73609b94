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

}  // namespace tavrello::host
