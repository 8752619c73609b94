#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/system/file_descriptor.h"

namespace tavrello::host::xlsx {

// Where a package is written: a file, or memory for tests. The zip layer
// writes forward and seeks back only to patch headers it has written. Every
// failure is a tavrello::Failure (file errors carry the file error numbers:
// 61 for a full disk); after one the device is not used again.
class OutputDevice {
 public:
  virtual ~OutputDevice() = default;

  virtual void write(const void* data, std::size_t size) = 0;
  // The offset the next write goes to.
  virtual std::uint64_t position() const = 0;
  // Moves to an offset at or before the end of what has been written.
  virtual void seek(std::uint64_t offset) = 0;
  // Everything written has reached its destination (for a file: the disk).
  virtual void finish() = 0;
};

// A growing buffer in memory.
class MemoryDevice : public OutputDevice {
 public:
  void write(const void* data, std::size_t size) override;
  std::uint64_t position() const override { return position_; }
  void seek(std::uint64_t offset) override;
  void finish() override {}

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

// An open file descriptor, written through a buffer of its own. It does not
// own the descriptor's name: the atomic save decides what becomes of it.
class FileDevice : public OutputDevice {
 public:
  // `fd` is open for writing and empty; `path` names it in failures.
  FileDevice(sys::FileDescriptor fd, std::filesystem::path path);
  ~FileDevice() override;
  FileDevice(const FileDevice&) = delete;
  FileDevice& operator=(const FileDevice&) = delete;

  void write(const void* data, std::size_t size) override;
  std::uint64_t position() const override { return offset_ + buffered_; }
  void seek(std::uint64_t offset) override;
  // Writes the buffer, flushes the file to disk and closes it.
  void finish() override;

 private:
  void flush();

  sys::FileDescriptor fd_;
  std::filesystem::path path_;
  std::string buffer_;
  std::size_t buffered_ = 0;
  std::uint64_t offset_ = 0;  // file offset of buffer_[0]
  std::uint64_t size_ = 0;    // bytes in the file
};

}  // namespace tavrello::host::xlsx
