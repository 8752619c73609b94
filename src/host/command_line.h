#pragma once

#include <string>
#include <vector>

namespace tavrello::host {

// What the user asked the program to do.
struct CommandLine {
  enum class Action { Run, Register, Unregister, Help, Version };
  Action action = Action::Run;
  bool headless = false;
  // Not empty when the arguments could not be read: what was wrong.
  std::string error;
};

// Reads the arguments after the program name:
//   tavrello [--headless]          run the host in its window, or headless
//   tavrello register              register Tavrello.so for the current user
//   tavrello unregister            remove that registration
//   tavrello --help | --version
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
std::string usageText();

}  // namespace tavrello::host
