#include <iostream>
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/connection_command.h"
#include "host/host_program.h"
#include "host/import_command.h"
#include "host/refresh_command.h"
#include "host/terminal_password.h"
#include "host/window_addins.h"
#include "host/window_library.h"
#include "platform/host/workbook/workbook_application.h"

// The workbook host program `tavrello`.
int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const tavrello::host::GlobalOptions options = tavrello::host::takeGlobalOptions(arguments);
  if (!options.error.empty()) {
    std::cerr << "tavrello: " << options.error << "\n" << tavrello::host::usageText();
    return 2;
  }
  if (!arguments.empty() && arguments[0] == "refresh")
    return tavrello::host::runRefresh(
        {arguments.begin() + 1, arguments.end()},
        {std::cout, std::cerr, tavrello::host::askPasswordOnTerminal, options.hostVersion});
  if (!arguments.empty() && arguments[0] == "connection")
    return tavrello::host::runConnection({arguments.begin() + 1, arguments.end()},
                                         {std::cout, std::cerr, std::cin, options.hostVersion});
  if (!arguments.empty() && arguments[0] == "import")
    return tavrello::host::runImport({arguments.begin() + 1, arguments.end()}, std::cerr, options.hostVersion);
  const tavrello::host::CommandLine line = tavrello::host::parseCommandLine(arguments);
  // Without --headless the host runs with its window.
  if (line.error.empty() && line.action == tavrello::host::CommandLine::Action::Run && !line.headless) {
    auto app = tavrello::host::WorkbookApplication::create(options.hostVersion);
    tavrello::host::WindowAddins addins(app);
    return tavrello::host::runWindowLibrary(argc, argv, app, addins, line.files);
  }
  return tavrello::host::runProgram(line, std::cout, std::cerr, options.hostVersion);
}
