#include "platform/host/xlsx/deflate_stream.h"

#include <algorithm>
#include <cstdint>

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

namespace {

constexpr std::size_t kWindow = 32 * 1024;

Failure compressFailure(int rc) {
  return Failure(rc == ISAL_INVALID_LEVEL_BUF ? 7 : 51,
                 "Compressing the workbook failed (deflate error " + std::to_string(rc) + ").");
}

std::size_t levelBufferSize(int level) {
  switch (level) {
    case 0: return ISAL_DEF_LVL0_DEFAULT;
    case 1: return ISAL_DEF_LVL1_DEFAULT;
    case 2: return ISAL_DEF_LVL2_DEFAULT;
    case 3: return ISAL_DEF_LVL3_DEFAULT;
    default: throw Failure::invalidCall("There is no deflate level " + std::to_string(level));
  }
}

}  // namespace

DeflateStream::DeflateStream(int level)
    : level_(level), stream_(std::make_unique<isal_zstream>()), levelBuffer_(levelBufferSize(level), '\0') {}

DeflateStream::~DeflateStream() = default;

void DeflateStream::compress(std::string_view input, std::string_view dictionary, bool last, std::string& output) {
  isal_zstream& s = *stream_;
  isal_deflate_init(&s);
  s.level = static_cast<std::uint32_t>(level_);
  s.level_buf = reinterpret_cast<std::uint8_t*>(levelBuffer_.data());
  s.level_buf_size = static_cast<std::uint32_t>(levelBuffer_.size());
  if (dictionary.size() > kWindow) dictionary.remove_prefix(dictionary.size() - kWindow);
  if (!dictionary.empty()) {
    const int rc = isal_deflate_set_dict(&s, reinterpret_cast<std::uint8_t*>(const_cast<char*>(dictionary.data())),
                                         static_cast<std::uint32_t>(dictionary.size()));
    if (rc != COMP_OK) throw compressFailure(rc);
  }
  s.next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(input.data()));
  s.avail_in = static_cast<std::uint32_t>(input.size());
  s.end_of_stream = last ? 1 : 0;
  s.flush = last ? NO_FLUSH : SYNC_FLUSH;

  std::size_t written = output.size();
  // Stored blocks bound the worst case: the input, a few bytes a block, the flush.
  output.resize(written + input.size() + input.size() / 16 + 1024);
  for (;;) {
    const auto room = static_cast<std::uint32_t>(std::min<std::size_t>(output.size() - written, 1u << 30));
    s.next_out = reinterpret_cast<std::uint8_t*>(output.data() + written);
    s.avail_out = room;
    const int rc = isal_deflate(&s);
    if (rc != COMP_OK) throw compressFailure(rc);
    written += room - s.avail_out;
    // Done once the input is taken and the end (or the flush) is written,
    // which the compressor shows by leaving room in the output.
    const bool complete = last ? s.internal_state.state == ZSTATE_END : (s.avail_in == 0 && s.avail_out > 0);
    if (complete) break;
    if (written == output.size()) output.resize(output.size() + 64 * 1024);
  }
  output.resize(written);
}

std::uint32_t crc32Of(std::string_view bytes) {
  std::uint32_t crc = 0;
  while (!bytes.empty()) {
    const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), 1u << 30));
    crc = crc32_gzip_refl(crc, reinterpret_cast<const unsigned char*>(bytes.data()), n);
    bytes.remove_prefix(n);
  }
  return crc;
}

}  // namespace tavrello::host::xlsx
