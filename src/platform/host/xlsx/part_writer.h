#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/host/xlsx/byte_block.h"
#include "platform/host/xlsx/parallel_deflate.h"
#include "platform/host/xlsx/xml_text.h"

namespace tavrello::host::xlsx {

class ZipWriter;

// One part of the package being written, as a stream of XML text: what is
// put here is cut into blocks and deflated (on every core for a long part)
// straight into the part's zip entry, so that no part is ever held whole in
// memory. finish() ends the entry; a writer destroyed without it leaves the
// package incomplete (the save then fails and discards it). Failures of the
// device or of zlib are tavrello::Failure, thrown from put…() or finish().
class PartWriter {
 public:
  // `large`: the part may reach 4 GiB (its entry gets zip64 fields).
  PartWriter(ZipWriter& zip, std::string_view name, bool large = false);
  PartWriter(const PartWriter&) = delete;
  PartWriter& operator=(const PartWriter&) = delete;

  void put(std::string_view text) {
    if (text.size() > block_.room()) {
      putLong(text);
      return;
    }
    std::memcpy(block_.end(), text.data(), text.size());
    block_.commit(text.size());
  }
  void put(char c) {
    if (block_.room() == 0) next();
    *block_.end() = c;
    block_.commit(1);
  }
  void putUnsigned(std::uint64_t value);
  // The shortest text that reads back as the same double.
  void putNumber(double value);
  // Text escaped for element content or an attribute value (see appendXml).
  void putXml(std::string_view text, XmlContext context = XmlContext::Text);

  void finish();

 private:
  // Hands the full block to the deflater and starts the next one.
  void next();
  void putLong(std::string_view text);
  // Room for `n` bytes at block_.end().
  void ensure(std::size_t n) {
    if (block_.room() < n) next();
  }

  ZipWriter& zip_;
  ParallelDeflate deflate_;
  ByteBlock block_;
  std::string escaped_;
};

}  // namespace tavrello::host::xlsx
