#include "host/user_install.h"

#include "platform/db/connection_string.h"
#include "platform/db/sample_database.h"
#include "platform/system/atomic_file.h"
#include "platform/system/failure.h"
#include "platform/system/special_folder.h"

namespace tavrello::host {

namespace fs = std::filesystem;

namespace {

std::string escapeXml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

fs::path tavrelloDataFolder() {
  std::string base = sys::specialFolderPath(sys::kApplicationDataFolder);
  if (base.empty()) throw Failure(76, "Path not found: the user has no application-data folder (HOME is not set)");
  return fs::path(base + "Tavrello/");
}

std::string settingsFileWithOneConnection(const std::string& name, const std::string& connectionString) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
         "<connections>\r\n"
         "\t<connection1>\r\n"
         "\t\t<name>" + escapeXml(name) + "</name>\r\n"
         "\t\t<value>" + escapeXml(connectionString) + "</value>\r\n"
         "\t</connection1>\r\n"
         "</connections>\r\n";
}

InstallReport installUserData() {
  InstallReport report;
  report.dataFolder = tavrelloDataFolder();
  std::error_code ec;
  fs::create_directories(report.dataFolder, ec);
  if (ec) throw Failure::fromErrno(ec.value(), "Creating the data folder", report.dataFolder.string());

  const fs::path database = report.dataFolder / "sample.db";
  const fs::path settings = report.dataFolder / "connectionsettings.xml";
  if (!fs::exists(settings, ec)) {
    // A folder with ";" or braces in its name is quoted so the string still reads.
    std::string connection = "Provider=SQLite;Data Source=" + db::ConnectionString::quoteValue(database.string());
    sys::writeFileAtomically(settings, settingsFileWithOneConnection("Sample", connection), 0600);
    report.createdSettings = true;
  }
  if (!fs::exists(database, ec)) {
    db::createSampleDatabase(database);
    report.createdDatabase = true;
  }
  return report;
}

}  // namespace tavrello::host
