#pragma once

#include <cstdint>
#include <memory>

namespace tavrello::host {
class Range;
}

namespace tavrello {

// The block from the host's active cell (the import's destination) to the
// cell at (rowOffset, fieldCount - 1) from it, as the application's Range
// over those two corners. Failures of the host pass to the caller.
std::shared_ptr<host::Range> ResultBlock(std::int32_t rowOffset, std::int32_t fieldCount);

}  // namespace tavrello
