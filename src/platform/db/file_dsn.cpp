#include "platform/db/file_dsn.h"

#include <sstream>
#include <vector>

#include "platform/db/db_failure.h"
#include "platform/system/regular_file.h"

namespace tavrello::db {

namespace {

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

struct Entry {
  std::string key;
  std::string value;
};

// A file DSN holds a few lines of keys.
constexpr std::size_t kMaxFileDsnBytes = 1 << 20;

std::vector<Entry> readOdbcSection(const std::string& path) {
  std::istringstream in(sys::readRegularFile(path, kMaxFileDsnBytes));
  std::vector<Entry> entries;
  bool inSection = false, sawSection = false;
  std::string line;
  while (std::getline(in, line)) {
    line = trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[') {
      inSection = line.back() == ']' && sameKey(line.substr(1, line.size() - 2), "ODBC");
      sawSection |= inSection;
      continue;
    }
    const auto eq = line.find('=');
    if (!inSection || eq == std::string::npos) continue;
    entries.push_back({trim(line.substr(0, eq)), trim(line.substr(eq + 1))});
  }
  if (!sawSection) {
    throw Failure(failure_number::kProviderError, "The file DSN '" + path + "' has no [ODBC] section.");
  }
  return entries;
}

}  // namespace

std::string expandFileDsn(const ConnectionString& cs) {
  const auto fileDsn = cs.get("FILEDSN");
  if (!fileDsn) return cs.text();
  std::string path = *fileDsn;
  if (path.size() < 4 || !sameKey(path.substr(path.size() - 4), ".dsn")) path += ".dsn";
  std::string out;
  for (const Entry& e : readOdbcSection(path)) {
    if (cs.has(e.key)) continue;
    // A value the file already wraps in braces is passed on as written.
    const bool braced = e.value.size() >= 2 && e.value.front() == '{' && e.value.back() == '}';
    out += e.key + "=" + (braced ? e.value : ConnectionString::quoteValue(e.value)) + ";";
  }
  for (const auto& pair : cs.pairs()) {
    if (sameKey(pair.key, "FILEDSN")) continue;
    out += pair.key + "=" + ConnectionString::quoteValue(pair.value) + ";";
  }
  return out;
}

}  // namespace tavrello::db
