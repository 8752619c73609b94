// The settings file as the toolbar and the connection manager load it: a
// file anyone could have edited or sent. Loading never crashes or hangs; it
// fails only with the numbers its callers report (91, 6); the rows in the
// connection list are the ones the document holds; and what the writer makes
// of the rows reads back as as many connections.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "addin/m_globals.h"
#include "fuzz_check.h"
#include "platform/system/failure.h"
#include "profiles/settings_document.h"
#include "profiles/settings_format.h"
#include "profiles/settings_store.h"

namespace {

// A data folder of the target's own, removed when the process ends.
struct DataFolder {
  std::filesystem::path root;
  DataFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrello-fuzz-settings-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    root = pattern;
    std::filesystem::create_directories(root / "Tavrello");
    ::setenv("XDG_DATA_HOME", root.c_str(), 1);
  }
  ~DataFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
};

void checkRows(const tavrello::SettingsDocument& doc, std::int16_t loaded, const std::vector<std::string>& names) {
  using tavrello::MGlobals::ConnectionList;
  FUZZ_CHECK(names.size() == static_cast<std::size_t>(loaded), "every row loaded reaches the caller's list");
  std::vector<tavrello::ConnectionProfile> rows;
  for (std::size_t i = 0; i < static_cast<std::size_t>(loaded); ++i) {
    const tavrello::ConnectionProfile row = doc.connection(i);
    FUZZ_CHECK(names[i] == row.name, "the caller's list has the names in file order");
    FUZZ_CHECK(ConnectionList.value(i, tavrello::ConnectionList::kNameColumn) == row.name, "the name is kept");
    FUZZ_CHECK(ConnectionList.value(i, tavrello::ConnectionList::kConnectionStringColumn) == row.connectionString,
               "the connection string is kept");
    rows.push_back(row);
  }
  if (rows.empty()) return;
  std::string text;
  try {
    text = tavrello::formatSettingsFile(rows);
  } catch (const tavrello::Failure& failure) {
    FUZZ_CHECK(failure.number() == 5, "the writer refuses what it cannot carry with 5");
    return;
  }
  FUZZ_CHECK(tavrello::SettingsDocument::fromText(text).connectionCount() == rows.size(),
             "the written file holds every connection");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static DataFolder folder;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(tavrello::settingsFilePath(), std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  std::vector<std::string> names;
  try {
    const std::int16_t loaded = tavrello::Load_XML_File([&](const std::string& name) { names.push_back(name); });
    checkRows(tavrello::SettingsDocument::fromText(text), loaded, names);
  } catch (const tavrello::Failure& failure) {
    FUZZ_CHECK(failure.number() == 91 || failure.number() == 6, "a load fails only as its callers expect");
  }
  return 0;
}
