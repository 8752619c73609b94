#include "platform/host/xlsx/deflate_stream.h"

#include <algorithm>

#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

namespace {

constexpr std::size_t kWindow = 32 * 1024;

Failure zlibFailure(int rc, const z_stream& stream) {
  std::string text = "Compressing the workbook failed (zlib error " + std::to_string(rc);
  if (stream.msg) text += std::string(": ") + stream.msg;
  return Failure(rc == Z_MEM_ERROR ? 7 : 51, text + ").");
}

}  // namespace

DeflateStream::DeflateStream(int level) {
  int rc = deflateInit2(&stream_, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  if (rc != Z_OK) throw zlibFailure(rc, stream_);
}

DeflateStream::~DeflateStream() { deflateEnd(&stream_); }

void DeflateStream::compress(std::string_view input, std::string_view dictionary, bool last, std::string& output) {
  int rc = deflateReset(&stream_);
  if (rc != Z_OK) throw zlibFailure(rc, stream_);
  if (dictionary.size() > kWindow) dictionary.remove_prefix(dictionary.size() - kWindow);
  if (!dictionary.empty()) {
    rc = deflateSetDictionary(&stream_, reinterpret_cast<const Bytef*>(dictionary.data()),
                              static_cast<uInt>(dictionary.size()));
    if (rc != Z_OK) throw zlibFailure(rc, stream_);
  }
  const std::size_t start = output.size();
  std::size_t bound = deflateBound(&stream_, static_cast<uLong>(input.size())) + 16;
  output.resize(start + bound);
  stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
  stream_.avail_in = static_cast<uInt>(input.size());
  std::size_t written = start;
  const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
  for (;;) {
    const auto room = static_cast<uInt>(std::min<std::size_t>(output.size() - written, 1u << 30));
    stream_.next_out = reinterpret_cast<Bytef*>(output.data() + written);
    stream_.avail_out = room;
    rc = deflate(&stream_, flush);
    if (rc == Z_STREAM_ERROR) throw zlibFailure(rc, stream_);
    written += room - stream_.avail_out;
    const bool complete = last ? rc == Z_STREAM_END : (stream_.avail_in == 0 && stream_.avail_out > 0);
    if (complete) break;
    if (written == output.size()) output.resize(output.size() + 64 * 1024);
  }
  output.resize(written);
}

}  // namespace tavrello::host::xlsx
