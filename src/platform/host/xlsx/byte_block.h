#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace tavrello::host::xlsx {

// A buffer of bytes with a fixed capacity that is not cleared when made:
// the part writers fill hundreds of megabytes through these, and zeroing
// them first would cost as much as the formatting.
class ByteBlock {
 public:
  ByteBlock() = default;
  explicit ByteBlock(std::size_t capacity)
      : data_(std::make_unique_for_overwrite<char[]>(capacity)), capacity_(capacity) {}

  char* data() { return data_.get(); }
  const char* data() const { return data_.get(); }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  std::size_t room() const { return capacity_ - size_; }
  bool empty() const { return size_ == 0; }
  std::string_view view() const { return {data_.get(), size_}; }

  // The bytes past size(), for writing; commit() then counts them.
  char* end() { return data_.get() + size_; }
  void commit(std::size_t n) { size_ += n; }
  void clear() { size_ = 0; }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
};

}  // namespace tavrello::host::xlsx
