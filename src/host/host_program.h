#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "host/command_line.h"

namespace tavrello::host {

// Where the program file lives (/proc/self/exe's folder).
std::filesystem::path programFolder();

// The private library folder of an installed Tavrello, relative to the
// program's folder: the package puts the program in bin/ and Tavrello.so
// with the platform libraries in lib/tavrello/, found through the
// program's RPATH.
inline constexpr const char* kPrivateLibraryFolder = TAVRELLO_PRIVATE_LIBRARY_FOLDER;

// The library `name` of the program in `folder`: beside the program, as the
// build folder has it, or else in the private library folder of an
// installed package. An absolute path without "..". Failure 53 naming both
// places when neither holds it.
std::filesystem::path findPrivateLibrary(const std::filesystem::path& folder, const std::string& name);

// The add-in library Tavrello.so for the program in `folder`.
inline std::filesystem::path findTavrelloLibrary(const std::filesystem::path& folder) {
  return findPrivateLibrary(folder, "Tavrello.so");
}

// Registers the Tavrello.so found for the program in `folder`
// (findTavrelloLibrary) for the current user and installs the user's data,
// telling `out` what was done. Throws Failure when the library is missing
// or something cannot be written.
void registerTavrello(const std::filesystem::path& folder, std::ostream& out);

// Removes the registration, telling `out`; the data folder stays.
void unregisterTavrello(std::ostream& out);

// Runs the host headless: installs a dialog service that prints every
// message box to `err` as one line and answers with defaults, creates the
// application, restores the built-in bars' placement, loads the registered
// add-ins, prints to `out` what they connected and showed
// (headless_report.h), then disconnects them, drops the temporary bars and stores the
// placement. Returns 1 when a failure (a critical message box) was
// reported, else 0. The host reports `hostVersion`.
int runHeadless(std::ostream& out, std::ostream& err, const std::string& hostVersion = "12.0");

// The program without its window: the command line's action (a run is
// headless; the window is the caller's to start), its output and exit
// status (2 for arguments it cannot read).
int runProgram(const CommandLine& line, std::ostream& out, std::ostream& err,
               const std::string& hostVersion = "12.0");

}  // namespace tavrello::host
