#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tavrello::host {
class WorkbookApplication;
}

namespace tavrello::gui {

class AddinSwitch;

// Whether Qt has somewhere to show a window: a platform chosen through
// QT_QPA_PLATFORM, or an X11 or Wayland display in the environment.
bool displayAvailable();

// The text the program prints when there is no display.
const char* noDisplayMessage();

// The workbook host with its window, from start to exit:
//  1. without a display, prints noDisplayMessage() to standard error and
//     returns 2;
//  2. starts Qt, installs the window's dialog service (so every add-in's
//     boxes and forms are Qt windows), opens a new workbook when none is
//     open, restores the built-in bars' placement, and connects the add-ins
//     registered to load at start-up;
//  3. shows the window, opens the workbooks `files` (each one that cannot
//     be read is told in a box) and runs until the user exits (File > Exit
//     or the close box, after the question about unsaved changes);
//  4. disconnects the add-ins (each saves what it keeps, such as its tool
//     bar's place), stores the built-in bars' placement and returns 0.
int runHostWindow(int& argc, char** argv, const std::shared_ptr<host::WorkbookApplication>& app,
                  AddinSwitch& addins, const std::vector<std::string>& files = {});

// What the host program hands the window when it has loaded this library
// at run time: its shell commands start without Qt and its libraries.
struct HostWindowStart {
  int* argc;
  char** argv;
  const std::shared_ptr<host::WorkbookApplication>* app;
  AddinSwitch* addins;
  const std::vector<std::string>* files;
};

// The name the host program looks the entry up by.
inline constexpr const char* kHostWindowEntry = "tavrello_run_host_window";
using HostWindowEntry = int (*)(const HostWindowStart*);

}  // namespace tavrello::gui

// runHostWindow with what `start` holds.
extern "C" int tavrello_run_host_window(const tavrello::gui::HostWindowStart* start);
