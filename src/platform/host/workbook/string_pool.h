#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::host {

// The texts of one workbook, each kept once: cells refer to a text by its
// index. Texts are packed into large blocks and found again through an
// open-addressing table of indexes, so a million distinct texts cost little
// more than their bytes. Texts are never removed while the workbook is open
// (the file writer writes only those still in use).
class StringPool {
 public:
  StringPool();
  StringPool(const StringPool&) = delete;
  StringPool& operator=(const StringPool&) = delete;

  // The index of `text`, adding it when it is new.
  std::uint32_t intern(std::string_view text);

  // The text of an index returned by intern(); valid while the pool lives.
  std::string_view text(std::uint32_t index) const { return texts_[index]; }

  std::size_t size() const { return texts_.size(); }

  // Bytes held, for the benchmark's accounting.
  std::size_t bytesUsed() const;

 private:
  std::string_view store(std::string_view text);
  void grow();

  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t blockUsed_ = 0;
  std::size_t blockSize_ = 0;
  std::vector<std::unique_ptr<char[]>> large_;
  std::size_t largeBytes_ = 0;
  std::vector<std::string_view> texts_;
  std::vector<std::uint32_t> slots_;  // index + 1; 0 is a free slot
};

}  // namespace tavrello::host
