#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tavrello::host {

class WorkbookApplication;
class WindowAddins;

// Runs the host with its window (gui::runHostWindow) from the window's
// library, libtavrello_gui.so, which is loaded only now: the shell commands
// and the headless run never load Qt, which halves their start-up memory.
// When the library cannot be found or loaded, says so on standard error and
// returns 1.
int runWindowLibrary(int& argc, char** argv, const std::shared_ptr<WorkbookApplication>& app, WindowAddins& addins,
                     const std::vector<std::string>& files);

}  // namespace tavrello::host
