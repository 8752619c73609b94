#include "platform/host/xlsx/output_device.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

namespace {
constexpr std::size_t kFileBuffer = 1 << 20;
}

void MemoryDevice::write(const void* data, std::size_t size) {
  if (position_ + size > bytes_.size()) bytes_.resize(position_ + size);
  std::memcpy(bytes_.data() + position_, data, size);
  position_ += size;
}

void MemoryDevice::seek(std::uint64_t offset) {
  if (offset > bytes_.size()) throw Failure::host("The package writer seeked past the end of its output.");
  position_ = static_cast<std::size_t>(offset);
}

FileDevice::FileDevice(sys::FileDescriptor fd, std::filesystem::path path)
    : fd_(std::move(fd)), path_(std::move(path)), buffer_(kFileBuffer, '\0') {}

FileDevice::~FileDevice() = default;

void FileDevice::flush() {
  const char* at = buffer_.data();
  std::size_t left = buffered_;
  std::uint64_t offset = offset_;
  while (left > 0) {
    ssize_t n = ::pwrite(fd_.get(), at, left, static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Failure::fromErrno(errno, "write", path_.string());
    }
    at += n;
    left -= static_cast<std::size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  size_ = std::max(size_, offset);
  offset_ = offset;
  buffered_ = 0;
}

void FileDevice::write(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    if (buffered_ == buffer_.size()) flush();
    std::size_t n = std::min(size, buffer_.size() - buffered_);
    std::memcpy(buffer_.data() + buffered_, bytes, n);
    buffered_ += n;
    bytes += n;
    size -= n;
  }
}

void FileDevice::seek(std::uint64_t offset) {
  flush();
  if (offset > size_) throw Failure::host("The package writer seeked past the end of its output.");
  offset_ = offset;
}

void FileDevice::finish() {
  flush();
  if (::fsync(fd_.get()) != 0) throw Failure::fromErrno(errno, "flush", path_.string());
  if (fd_.reset() != 0) throw Failure::fromErrno(errno, "close", path_.string());
}

}  // namespace tavrello::host::xlsx
