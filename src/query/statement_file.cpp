#include "query/statement_file.h"

#include <system_error>

#include <sys/stat.h>

#include "platform/system/atomic_file.h"
#include "platform/system/failure.h"
#include "platform/system/regular_file.h"
#include "platform/system/utf8.h"
#include "profiles/settings_store.h"

namespace tavrello {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr mode_t kNewFileMode = 0644;

}  // namespace

std::string statementFolder() {
  const std::string folder = dataFolder();
  return folder.empty() ? std::string() : folder + "sql";
}

std::string readStatementFile(const std::filesystem::path& path) {
  std::string bytes = sys::readRegularFile(path, kMaxStatementFileBytes);
  if (!sys::isValidUtf8(bytes)) return sys::windows1252ToUtf8(bytes);
  if (std::string_view(bytes).starts_with(kByteOrderMark)) bytes.erase(0, kByteOrderMark.size());
  return bytes;
}

void writeStatementFile(const std::filesystem::path& path, const std::string& text) {
  std::error_code error;
  std::filesystem::path target = path;
  if (std::filesystem::is_symlink(path, error)) {
    target = std::filesystem::weakly_canonical(path, error);
    if (error) throw Failure::fromErrno(error.value(), "follow the link", path.string());
  }
  mode_t mode = kNewFileMode;
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) throw Failure(75, "write '" + path.string() + "': not a regular file");
    mode = info.st_mode & 07777;
  }
  sys::writeFileAtomically(target, text + "\r\n", mode);
}

}  // namespace tavrello
