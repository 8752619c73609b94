#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/xlsx/buffered_file.h"
#include "platform/host/xlsx/read_limits.h"

namespace tavrello::host::xlsx {

// Reads the entries of a zip archive through minizip, within ReadLimits:
// how many entries, how large each may grow when inflated (checked against
// the bytes actually inflated, not the sizes the archive claims), and how
// much all together. Entry names are kept as stored ("xl/workbook.xml").
// Only a regular file is read (see sys::openRegularFile). Failures are
// tavrello::Failure: file errors with their numbers, anything wrong with the
// archive 1004 naming the file and the entry.
class ZipReader {
 public:
  ZipReader(const std::filesystem::path& file, const ReadLimits& limits);
  ZipReader(const ZipReader&) = delete;
  ZipReader& operator=(const ZipReader&) = delete;

  struct Entry {
    std::string name;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;  // as the archive claims it
  };
  const std::vector<Entry>& entries() const { return entries_; }
  bool has(std::string_view name) const;

  // Streams an entry: `consume` gets its inflated bytes piece by piece.
  // Fails with 1004 when the entry is missing, damaged, or breaks a limit.
  void read(std::string_view name, const std::function<void(const char*, std::size_t)>& consume);

  // A whole entry, at most limits.maxTreePartBytes long.
  std::string readAll(std::string_view name);

  // A function that fills a buffer from an entry, for the streaming XML
  // reader: returns the bytes given, 0 at the end. Valid until the next
  // call on this reader.
  std::function<std::size_t(char*, std::size_t)> open(std::string_view name);

 private:
  const Entry& entry(std::string_view name) const;
  void locate(const Entry& entry);
  std::size_t readSome(char* buffer, std::size_t size);
  [[noreturn]] void damaged(const std::string& why) const;
  void* zip() const { return unzip_.get(); }

  std::filesystem::path file_;
  ReadLimits limits_;
  // Also closed when the constructor fails after minizip opened the archive.
  struct CloseUnzip {
    void operator()(void* unzip) const;
  };
  BufferedFile bytes_;  // closed after minizip's handle
  std::unique_ptr<void, CloseUnzip> unzip_;
  std::vector<Entry> entries_;
  std::map<std::string, std::size_t, std::less<>> byName_;
  // The entry being streamed.
  const Entry* current_ = nullptr;
  std::uint64_t currentRead_ = 0;
  std::uint64_t totalRead_ = 0;
};

}  // namespace tavrello::host::xlsx
