#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

class OutputDevice;

// Writes a zip archive to a device through minizip. Entries are added one at
// a time as deflate data the caller compressed itself (raw), for which the
// caller gives the size and CRC-32 of the uncompressed bytes. Every failure, the device's included, is a
// tavrello::Failure; after one the writer is not used again. close() writes
// the central directory; a writer destroyed without it leaves an incomplete
// archive, which the atomic save then discards.
class ZipWriter {
 public:
  explicit ZipWriter(OutputDevice& device);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // An entry whose deflate data the caller writes. `large` asks for the zip64
  // fields an entry of 4 GiB or more needs (and small ones do not).
  void beginRawEntry(std::string_view name, bool large);
  void writeRaw(const void* data, std::size_t size);
  void endRawEntry(std::uint64_t uncompressedSize, std::uint32_t crc);

  void close();

  // Called by the device callbacks: a device failure waits here until the
  // minizip call that met it returns.
  void keepFailure(const Failure& failure);

 private:
  friend struct ZipCallbacks;

  // Throws the device's failure, or one naming `what`, when rc is not ZIP_OK.
  void check(int rc, std::string_view what);

  OutputDevice& device_;
  void* zip_ = nullptr;
  std::optional<Failure> failure_;
  std::string entry_;
};

}  // namespace tavrello::host::xlsx
