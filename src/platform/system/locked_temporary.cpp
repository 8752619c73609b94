#include "platform/system/locked_temporary.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/failure.h"

namespace tavrello::sys {

namespace {

bool lockNow(int fd, int operation) {
  while (::flock(fd, operation) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

bool isAlphanumeric(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

}  // namespace

LockedTemporary createLockedTemporary(const std::string& pattern) {
  // A cleaner may find the file between its creation and its lock and remove
  // it as stale; the file is ours only once it is locked and still has its
  // name, so a removed one is made again.
  for (int attempt = 0; attempt < 100; ++attempt) {
    LockedTemporary temporary{pattern, {}, {}};
    temporary.file = FileDescriptor(::mkostemp(temporary.path.data(), O_CLOEXEC));
    if (!temporary.file) throw Failure::fromErrno(errno, "create", pattern);
    // The lock belongs to the open file, which the duplicate shares.
    temporary.lock = FileDescriptor(::fcntl(temporary.file.get(), F_DUPFD_CLOEXEC, 0));
    struct stat info {};
    if (!temporary.lock || !lockNow(temporary.lock.get(), LOCK_EX) || ::fstat(temporary.lock.get(), &info) != 0) {
      const int error = errno;
      ::unlink(temporary.path.c_str());
      throw Failure::fromErrno(error, "lock", temporary.path);
    }
    if (info.st_nlink > 0) return temporary;
  }
  throw Failure::fromErrno(EEXIST, "create", pattern);
}

bool isTemporaryName(std::string_view name, std::string_view stem) {
  if (name.size() != stem.size() + 6 || !name.starts_with(stem)) return false;
  for (char c : name.substr(stem.size())) {
    if (!isAlphanumeric(c)) return false;
  }
  return true;
}

void removeStaleTemporaries(const std::filesystem::path& folder,
                            const std::function<bool(std::string_view name)>& isTemporary) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    if (!isTemporary(path.filename().native())) continue;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    struct stat opened {}, named {};
    if (!fd || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) continue;
    if (!lockNow(fd.get(), LOCK_EX | LOCK_NB)) continue;  // a live writer holds it
    // Still the file that was locked, not one made under the same name since.
    if (::lstat(path.c_str(), &named) != 0 || named.st_dev != opened.st_dev || named.st_ino != opened.st_ino) continue;
    ::unlink(path.c_str());
  }
}

}  // namespace tavrello::sys
