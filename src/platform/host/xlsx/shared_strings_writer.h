#pragma once

#include <cstdint>
#include <vector>

namespace tavrello::host {
class StringPool;
}

namespace tavrello::host::xlsx {

class PartWriter;

// The shared-string table of one save: the texts of the workbook's string
// pool that the sheets use, numbered in the order the sheet writer meets
// them (a pool keeps texts that no cell shows any more; those are left out).
class SharedStringsWriter {
 public:
  explicit SharedStringsWriter(const StringPool& pool);

  // The table index of a pool text, given one the first time it is asked.
  std::uint32_t indexOf(std::uint32_t poolIndex) {
    ++references_;
    std::uint32_t& slot = index_[poolIndex];
    if (slot == kNone) {
      slot = static_cast<std::uint32_t>(order_.size());
      order_.push_back(poolIndex);
    }
    return slot;
  }

  // Writes xl/sharedStrings.xml. Texts longer than a cell holds are cut to
  // the limit; returns how many were.
  std::size_t write(PartWriter& out) const;

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  const StringPool& pool_;
  std::vector<std::uint32_t> index_;
  std::vector<std::uint32_t> order_;
  std::uint64_t references_ = 0;
};

}  // namespace tavrello::host::xlsx
