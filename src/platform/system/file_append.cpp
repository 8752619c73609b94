#include "platform/system/file_append.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "platform/system/failure.h"
#include "platform/system/file_descriptor.h"

namespace tavrello::sys {

void appendToFile(const std::filesystem::path& path, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600));
  if (!fd) throw Failure::fromErrno(errno, "open", path.string());
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd.get(), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Failure::fromErrno(errno, "write", path.string());
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (fd.reset() != 0) throw Failure::fromErrno(errno, "close", path.string());
}

}  // namespace tavrello::sys
