#include "host/host_program.h"

#include <ostream>

#include <unistd.h>

#include "host/addin_registration.h"
#include "host/headless_report.h"
#include "host/headless_session.h"
#include "host/user_install.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "platform/system/printable_text.h"
#include "tavrello/version.h"

namespace tavrello::host {

namespace fs = std::filesystem;

fs::path programFolder() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) throw Failure::fromErrno(ec.value(), "Finding the program file", "/proc/self/exe");
  return self.parent_path();
}

fs::path findPrivateLibrary(const fs::path& folder, const std::string& name) {
  const fs::path beside = fs::absolute(folder / name).lexically_normal();
  const fs::path installed = fs::absolute(folder / kPrivateLibraryFolder / name).lexically_normal();
  std::error_code ec;
  for (const fs::path& library : {beside, installed}) {
    if (fs::is_regular_file(library, ec)) return library;
  }
  throw Failure(53, "File not found: " + name + " is neither beside the tavrello program (" + beside.string() +
                        ") nor in its library folder (" + installed.string() + ")");
}

void registerTavrello(const fs::path& folder, std::ostream& out) {
  const fs::path library = findTavrelloLibrary(folder);
  writeAddinRegistration(tavrelloRegistration(library.string()));
  out << "Registered the add-in " << kTavrelloProgId << " for the current user: " << library.string() << "\n";
  InstallReport report = installUserData();
  out << "Data folder: " << report.dataFolder.string() << "\n";
  out << (report.createdSettings ? "Created" : "Kept the existing") << " settings file "
      << (report.dataFolder / "connectionsettings.xml").string() << "\n";
  out << (report.createdDatabase ? "Created" : "Kept the existing") << " sample database "
      << (report.dataFolder / "sample.db").string() << "\n";
}

void unregisterTavrello(std::ostream& out) {
  if (removeAddinRegistration(kTavrelloProgId))
    out << "Removed the registration of " << kTavrelloProgId << "; the data folder is kept.\n";
  else
    out << kTavrelloProgId << " was not registered for the current user.\n";
}

int runHeadless(std::ostream& out, std::ostream& err, const std::string& hostVersion) {
  HeadlessSession session(err, hostVersion);
  reportHeadlessSession(session.addins().loaded(), *session.app().commandBars(), out);
  session.end();
  return session.failureShown() ? 1 : 0;
}

int runProgram(const CommandLine& line, std::ostream& out, std::ostream& err, const std::string& hostVersion) {
  if (!line.error.empty()) {
    err << "tavrello: " << sys::printableText(line.error) << "\n" << usageText();
    return 2;
  }
  try {
    switch (line.action) {
      case CommandLine::Action::Help:
        out << usageText();
        return 0;
      case CommandLine::Action::Version:
        out << "Tavrello " << version::kDisplayed << "\n";
        return 0;
      case CommandLine::Action::Register:
        registerTavrello(programFolder(), out);
        return 0;
      case CommandLine::Action::Unregister:
        unregisterTavrello(out);
        return 0;
      case CommandLine::Action::Run:
        return runHeadless(out, err, hostVersion);
    }
  } catch (const Failure& failure) {
    err << "tavrello: " << sys::printableText(failure.description()) << "\n";
  }
  return 1;
}

}  // namespace tavrello::host
