#include "platform/system/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/failure.h"

namespace tavrello::sys {

namespace {

const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "a special file";
}

}  // namespace

FileDescriptor openRegularFile(const std::filesystem::path& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) throw Failure::fromErrno(errno, "open", path.string());
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) throw Failure::fromErrno(errno, "open", path.string());
  if (!S_ISREG(info.st_mode))
    throw Failure(75, "open '" + path.string() + "': it is " + kindOf(info.st_mode) + ", not a regular file");
  // Reads of a regular file wait as usual; only the open must not.
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
    throw Failure::fromErrno(errno, "open", path.string());
  return fd;
}

std::string readRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
  FileDescriptor fd = openRegularFile(path);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) throw Failure::fromErrno(errno, "read", path.string());
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
    throw Failure(75, "read '" + path.string() + "': the file is larger than " + std::to_string(maxBytes) +
                          " bytes");
  }
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t have = 0;
  // The file may grow or shrink while it is read: read to its end, within
  // the bound.
  for (;;) {
    if (have == bytes.size()) {
      if (bytes.size() >= maxBytes) {
        char probe = 0;
        const ssize_t more = ::read(fd.get(), &probe, 1);
        if (more < 0 && errno == EINTR) continue;
        if (more > 0) {
          throw Failure(75, "read '" + path.string() + "': the file is larger than " + std::to_string(maxBytes) +
                                " bytes");
        }
        break;
      }
      bytes.resize(std::min(maxBytes, bytes.size() + 65536));
    }
    const ssize_t n = ::read(fd.get(), bytes.data() + have, bytes.size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Failure::fromErrno(errno, "read", path.string());
    }
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  bytes.resize(have);
  return bytes;
}

}  // namespace tavrello::sys
