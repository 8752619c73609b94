#include "profiles/settings_store.h"

#include <limits>

#include "addin/m_globals.h"
#include "platform/system/atomic_file.h"
#include "platform/system/failure.h"
#include "profiles/settings_document.h"
#include "profiles/settings_format.h"
#include "profiles/system_path.h"
#include "support/m_error_handler.h"

namespace tavrello {

namespace {

constexpr std::int32_t kApplicationDataFolder = 26;

// What the file will read back as; the writer compares it with what it meant
// to write before it touches the old file.
std::vector<ConnectionProfile> readBack(const std::string& text) {
  const SettingsDocument doc = SettingsDocument::fromText(text);
  std::vector<ConnectionProfile> rows;
  for (std::size_t i = 0; i < doc.connectionCount(); ++i) rows.push_back(doc.connection(i));
  return rows;
}

}  // namespace

std::string dataFolder() {
  const std::string base = MStandardCode::SystemPath(kApplicationDataFolder);
  // Without an application-data folder there is no data folder, rather than a
  // relative one in whatever folder happens to be current.
  return base.empty() ? std::string() : base + "Tavrello/";
}

std::filesystem::path settingsFilePath() {
  const std::string folder = dataFolder();
  return folder.empty() ? std::filesystem::path() : std::filesystem::path(folder + "connectionsettings.xml");
}

std::int16_t countConnections(const SettingsDocument& doc) {
  const std::size_t count = doc.connectionCount();
  if (count > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) throw Failure::overflow();
  return static_cast<std::int16_t>(count);
}

std::int16_t Load_XML_File(const std::function<void(const std::string&)>& addName) {
  const SettingsDocument doc = SettingsDocument::fromFile(settingsFilePath());
  const std::int16_t count = countConnections(doc);
  if (count == 0) return 0;
  ConnectionList& list = MGlobals::ConnectionList;
  list.resize(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    ConnectionProfile row = doc.connection(i);
    list.setValue(i, ConnectionList::kNameColumn, row.name);
    list.setValue(i, ConnectionList::kConnectionStringColumn, std::move(row.connectionString));
    if (addName) addName(row.name);
  }
  return count;
}

}  // namespace tavrello

namespace tavrello::MStandardCode {

void Update_XML_File(const std::vector<ConnectionProfile>& workingList) {
  MErrorHandler::handled("MStandardCode", "Update_XML_File", [&] {
    // Every reader counts the connections in 16 bits; more would make a file
    // that none of them can load.
    if (workingList.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
      throw Failure(6, "Overflow: the settings file holds at most 32,767 connections");
    }
    const std::string text = formatSettingsFile(workingList);
    if (readBack(text) != workingList) {
      throw Failure::invalidCall("The connections cannot be saved: the settings file would not read back as written");
    }
    const std::filesystem::path file = settingsFilePath();
    if (file.empty()) throw Failure(76, "Path not found: there is no application-data folder for the settings file");
    sys::writeFileAtomically(file, text, 0600);
  });
}

std::string GetDataStringFromConnectionsArray(const std::string& name, std::int16_t column) {
  return MErrorHandler::handled("MStandardCode", "GetDataStringFromConnectionsArray", std::string(), [&] {
    const ConnectionList& list = MGlobals::ConnectionList;
    if (!list.isSized()) throw Failure::subscriptOutOfRange();
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
      if (list.value(row, ConnectionList::kNameColumn) == name) return list.value(row, column);
    }
    return std::string();
  });
}

}  // namespace tavrello::MStandardCode
