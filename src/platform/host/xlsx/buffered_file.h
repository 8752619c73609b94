#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/system/file_descriptor.h"

namespace tavrello::host::xlsx {

// An open file read through a window of its bytes, with a position of its
// own. minizip reads an archive's headers a few bytes at a time, each read a
// system call (seven thousand to open an 11 KB workbook); through the window
// they cost one call per 64 KiB. Reads larger than the window go straight to
// the caller's buffer.
class BufferedFile {
 public:
  static constexpr std::size_t kWindowBytes = 64 * 1024;

  explicit BufferedFile(sys::FileDescriptor fd);

  // Copies up to `size` bytes from the position on and moves past them;
  // fewer at the end of the file or on a read error.
  std::size_t read(void* out, std::size_t size);
  std::uint64_t tell() const { return position_; }
  // `whence` is SEEK_SET, SEEK_CUR or SEEK_END; false for a position before
  // the start, which leaves the position as it was.
  bool seek(std::int64_t offset, int whence);

 private:
  // The bytes at `offset`, as many as fit up to `size`, by pread.
  std::size_t readAt(std::uint64_t offset, char* out, std::size_t size) const;

  sys::FileDescriptor fd_;
  std::uint64_t size_ = 0;  // as the file was opened; SEEK_END counts from it
  std::uint64_t position_ = 0;
  std::unique_ptr<char[]> window_;
  std::uint64_t windowStart_ = 0;
  std::size_t windowLength_ = 0;
};

}  // namespace tavrello::host::xlsx
