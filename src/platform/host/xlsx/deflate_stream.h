#pragma once

#include <string>
#include <string_view>

#include <zlib.h>

namespace tavrello::host::xlsx {

// One zlib deflate stream (raw: no zlib or gzip header), reused for block
// after block. Copying is deleted; the stream's memory goes with the object.
class DeflateStream {
 public:
  explicit DeflateStream(int level);
  ~DeflateStream();
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  // Compresses `input` as a block of its own, primed with `dictionary` (at
  // most the last 32 KiB count), and appends the raw deflate bytes to
  // `output`: ended by a sync flush, so that another block can follow, or,
  // when `last`, as the end of the stream. Throws tavrello::Failure when zlib
  // fails (out of memory).
  void compress(std::string_view input, std::string_view dictionary, bool last, std::string& output);

 private:
  z_stream stream_{};
};

}  // namespace tavrello::host::xlsx
