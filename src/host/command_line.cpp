#include "host/command_line.h"

namespace tavrello::host {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool actionGiven = false;
  auto setAction = [&](CommandLine::Action action, const std::string& word) {
    if (actionGiven && line.action != action) {
      line.error = "'" + word + "' cannot be combined with another command";
      return;
    }
    line.action = action;
    actionGiven = true;
  };
  for (const std::string& argument : arguments) {
    if (argument == "--headless") line.headless = true;
    else if (argument == "--help" || argument == "-h") setAction(CommandLine::Action::Help, argument);
    else if (argument == "--version") setAction(CommandLine::Action::Version, argument);
    else if (argument == "register") setAction(CommandLine::Action::Register, argument);
    else if (argument == "unregister") setAction(CommandLine::Action::Unregister, argument);
    else line.error = "unknown argument '" + argument + "'";
    if (!line.error.empty()) break;
  }
  return line;
}

std::string usageText() {
  return "Usage: tavrello [--headless]\n"
         "       tavrello register | unregister\n"
         "       tavrello refresh BOOK.xlsx [--output OTHER.xlsx] [--trust]\n"
         "       tavrello --help | --version\n"
         "\n"
         "The Tavrello workbook host. Started without a command it opens its window\n"
         "with a new workbook, loads the add-ins registered for the current user\n"
         "(load behaviour 3), connects them, and disconnects them again when it exits.\n"
         "\n"
         "  --headless   run without a window: print the add-ins connected and their\n"
         "               tool bars; every message box is printed to standard error\n"
         "               as one line (icon: title: text) and answered with its\n"
         "               default button, every prompt is cancelled; the exit status is\n"
         "               1 when a failure was reported\n"
         "  register     register the Tavrello add-in (Tavrello.so beside this program)\n"
         "               for the current user, create the data folder with a settings\n"
         "               file holding the connection \"Sample\" and the sample database;\n"
         "               existing settings and databases are kept\n"
         "  unregister   remove the add-in's registration; the data folder is kept\n"
         "  refresh      refresh every query table of BOOK.xlsx and save it (to OTHER.xlsx\n"
         "               when given); a password that was not saved comes from\n"
         "               TAVRELLO_PASSWORD or a prompt on the terminal; connections that\n"
         "               name a driver by its path, a file DSN or another provider are\n"
         "               refused unless --trust\n"
         "  --help       show this text\n"
         "  --version    show the version\n";
}

}  // namespace tavrello::host
