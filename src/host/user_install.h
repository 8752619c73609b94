#pragma once

#include <filesystem>
#include <string>

namespace tavrello::host {

// The add-in's data folder: the user's application-data folder followed by
// "Tavrello/". Failure 76 when the user has no application-data folder
// (neither XDG_DATA_HOME nor HOME is set).
std::filesystem::path tavrelloDataFolder();

// The settings file's text with one connection, byte for byte in the layout
// the add-in reads and writes: every line ends in CR LF, the connection's
// block is indented with tabs, and "&", "<" and ">" are written as
// entities.
std::string settingsFileWithOneConnection(const std::string& name, const std::string& connectionString);

// What installing the user's data did.
struct InstallReport {
  std::filesystem::path dataFolder;
  bool createdSettings = false;
  bool createdDatabase = false;
};

// Creates the data folder, the settings file connectionsettings.xml with the
// one connection "Sample" (Provider=SQLite;Data Source=<data folder>sample.db)
// and the sample database sample.db. A settings file or database that
// exists is never overwritten. The settings file is written atomically with
// permissions 0600. Throws Failure when something cannot be created.
InstallReport installUserData();

}  // namespace tavrello::host
