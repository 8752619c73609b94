#include "host/window_library.h"

#include <cstdio>

#include "gui/run_host_window.h"
#include "host/addin_library.h"
#include "host/host_program.h"
#include "host/window_addins.h"
#include "platform/system/failure.h"
#include "platform/system/printable_text.h"

namespace tavrello::host {

int runWindowLibrary(int& argc, char** argv, const std::shared_ptr<WorkbookApplication>& app, WindowAddins& addins,
                     const std::vector<std::string>& files) {
  try {
    // Loaded for the rest of the process (SharedLibrary keeps its code
    // mapped): Qt's exit handlers run after main returns.
    const SharedLibrary library(findPrivateLibrary(programFolder(), "libtavrello_gui.so").string());
    const auto entry = reinterpret_cast<gui::HostWindowEntry>(library.symbol(gui::kHostWindowEntry));
    if (!entry) {
      throw Failure(453, "Can't find DLL entry point " + std::string(gui::kHostWindowEntry) + " in " + library.path());
    }
    const gui::HostWindowStart start{&argc, argv, &app, &addins, &files};
    return entry(&start);
  } catch (const Failure& failure) {
    std::fprintf(stderr, "tavrello: the workbook window cannot be started: %s\n",
                 sys::printableText(failure.description()).c_str());
    return 1;
  }
}

}  // namespace tavrello::host
