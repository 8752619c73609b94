#pragma once

#include <cstdint>

namespace tavrello::host::xlsx {

// The bounds the reader holds a file to. A workbook is untrusted input: a
// package made to expand without end, or to hold more than any worksheet
// can, fails with a clear error before it can exhaust memory or time.
struct ReadLimits {
  std::uint64_t maxEntries = 10000;                      // zip entries
  std::uint64_t maxPartBytes = std::uint64_t{4} << 30;   // one part, uncompressed
  std::uint64_t maxTotalBytes = std::uint64_t{8} << 30;  // all parts read, uncompressed
  // Deflate data expands at most about 1,000 times; real sheets rarely
  // beyond 100. A part larger than ratioFloorBytes that expands more than
  // maxRatio times its compressed size is refused.
  std::uint64_t maxRatio = 500;
  std::uint64_t ratioFloorBytes = std::uint64_t{16} << 20;
  // Parts read whole into a document tree (workbook, styles, relationships,
  // connections, query tables).
  std::uint64_t maxTreePartBytes = std::uint64_t{256} << 20;
  // One element tag or text in a streamed part (a cell's text is at most
  // 32,767 characters).
  std::uint64_t maxTokenBytes = std::uint64_t{16} << 20;
};

}  // namespace tavrello::host::xlsx
