#include "platform/host/xlsx/buffered_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

namespace tavrello::host::xlsx {

BufferedFile::BufferedFile(sys::FileDescriptor fd) : fd_(std::move(fd)) {
  struct stat info {};
  if (::fstat(fd_.get(), &info) == 0 && info.st_size > 0) size_ = static_cast<std::uint64_t>(info.st_size);
}

std::size_t BufferedFile::readAt(std::uint64_t offset, char* out, std::size_t size) const {
  for (;;) {
    const ssize_t n = ::pread(fd_.get(), out, size, static_cast<off_t>(offset));
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return 0;
  }
}

std::size_t BufferedFile::read(void* out, std::size_t size) {
  char* to = static_cast<char*>(out);
  std::size_t given = 0;
  while (given < size) {
    if (position_ >= windowStart_ && position_ < windowStart_ + windowLength_) {
      const std::size_t at = static_cast<std::size_t>(position_ - windowStart_);
      const std::size_t n = std::min(size - given, windowLength_ - at);
      std::memcpy(to + given, window_.get() + at, n);
      given += n;
      position_ += n;
      continue;
    }
    if (size - given >= kWindowBytes) {
      const std::size_t n = readAt(position_, to + given, size - given);
      if (n == 0) break;
      given += n;
      position_ += n;
      continue;
    }
    if (!window_) window_ = std::make_unique_for_overwrite<char[]>(kWindowBytes);
    windowStart_ = position_;
    windowLength_ = readAt(position_, window_.get(), kWindowBytes);
    if (windowLength_ == 0) break;
  }
  return given;
}

bool BufferedFile::seek(std::int64_t offset, int whence) {
  const std::int64_t base = whence == SEEK_SET   ? 0
                            : whence == SEEK_CUR ? static_cast<std::int64_t>(position_)
                                                 : static_cast<std::int64_t>(size_);
  if (offset < -base || offset > std::numeric_limits<std::int64_t>::max() - base) return false;
  position_ = static_cast<std::uint64_t>(base + offset);
  return true;
}

}  // namespace tavrello::host::xlsx
