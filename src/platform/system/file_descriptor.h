#pragma once

#include <unistd.h>

namespace tavrello::sys {

// Owns one open file descriptor and closes it when it goes. Move-only.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
  ~FileDescriptor() { reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = other.release();
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const noexcept { return fd_; }
  explicit operator bool() const noexcept { return fd_ >= 0; }
  int release() noexcept {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now; returns close's result, so a writer can see a failed flush.
  int reset() noexcept {
    int rc = 0;
    if (fd_ >= 0) rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  int fd_ = -1;
};

}  // namespace tavrello::sys
