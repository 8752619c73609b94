#pragma once

#include <memory>
#include <string>
#include <string_view>

struct isal_zstream;

namespace tavrello::host::xlsx {

// One raw deflate stream (no zlib or gzip header), reused for block after
// block, compressed with Intel's ISA-L: several times faster than zlib, and
// on sheet XML within a few percent of zlib's middle levels. Copying is
// deleted; the stream's memory goes with the object.
class DeflateStream {
 public:
  // `level` is ISA-L's, 0 to 3.
  explicit DeflateStream(int level);
  ~DeflateStream();
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  // Compresses `input` as a block of its own, primed with `dictionary` (at
  // most the last 32 KiB count), and appends the raw deflate bytes to
  // `output`: ended by a sync flush, so that another block can follow, or,
  // when `last`, as the end of the stream. Throws tavrello::Failure when the
  // compressor fails.
  void compress(std::string_view input, std::string_view dictionary, bool last, std::string& output);

 private:
  int level_;
  std::unique_ptr<isal_zstream> stream_;
  std::string levelBuffer_;
};

// The CRC-32 of a zip entry's bytes.
std::uint32_t crc32Of(std::string_view bytes);

}  // namespace tavrello::host::xlsx
