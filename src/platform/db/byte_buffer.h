#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace tavrello::db {

// A growable byte region for result storage. Small regions live on the heap;
// from a few hundred kilobytes on they live in an anonymous memory mapping that
// grows with mremap, so growing a million-row column never holds an old and a
// new copy at once, and capacity not yet written costs no resident memory.
// Pointers into the region are invalidated by growth. Move-only.
class ByteBuffer {
 public:
  ByteBuffer() = default;
  ~ByteBuffer();
  ByteBuffer(ByteBuffer&& other) noexcept;
  ByteBuffer& operator=(ByteBuffer&& other) noexcept;
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  std::byte* data() { return data_; }
  const std::byte* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }

  // Lengthens the region by n bytes and returns the first of them (their
  // contents are unspecified). Throws std::bad_alloc when memory runs out.
  std::byte* extend(std::size_t n) {
    if (capacity_ - size_ < n) growFor(n);
    std::byte* at = data_ + size_;
    size_ += n;
    return at;
  }
  void append(const void* bytes, std::size_t n) {
    if (n) std::memcpy(extend(n), bytes, n);
  }
  // Makes room for at least `bytes` in total without changing the size.
  void reserve(std::size_t bytes);
  // Shortens the region; capacity is kept.
  void truncate(std::size_t size) { if (size < size_) size_ = size; }
  // Gives the whole memory pages below byte `end` back to the system while
  // size and capacity stay: a mapped region's pages there then read as
  // zeros. For a reader that has consumed that part and will not read it
  // again. A heap region (small) keeps its bytes.
  void discardBefore(std::size_t end);

 private:
  void growFor(std::size_t extra);
  void release() noexcept;

  std::byte* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  bool mapped_ = false;
};

// A vector of trivially copyable values over a ByteBuffer.
template <class T>
class PodVector {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  std::size_t size() const { return bytes_.size() / sizeof(T); }
  bool empty() const { return bytes_.size() == 0; }
  const T* data() const { return reinterpret_cast<const T*>(bytes_.data()); }
  T* data() { return reinterpret_cast<T*>(bytes_.data()); }
  const T& operator[](std::size_t i) const { return data()[i]; }
  T& operator[](std::size_t i) { return data()[i]; }
  void push_back(const T& value) { std::memcpy(bytes_.extend(sizeof(T)), &value, sizeof(T)); }
  void resize(std::size_t n, const T& value) {
    std::size_t old = size();
    if (n <= old) { bytes_.truncate(n * sizeof(T)); return; }
    bytes_.extend((n - old) * sizeof(T));
    for (std::size_t i = old; i < n; ++i) data()[i] = value;
  }
  void reserve(std::size_t n) { bytes_.reserve(n * sizeof(T)); }
  // See ByteBuffer::discardBefore: the values below index `end`.
  void discardBefore(std::size_t end) { bytes_.discardBefore(end * sizeof(T)); }

 private:
  ByteBuffer bytes_;
};

}  // namespace tavrello::db
