#include "platform/db/byte_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace tavrello::db {

namespace {

// Below this a heap copy on growth is cheaper than a mapping of its own.
constexpr std::size_t kMapThreshold = 256 * 1024;

std::size_t pageRound(std::size_t n) {
  static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (n + page - 1) / page * page;
}

}  // namespace

ByteBuffer::~ByteBuffer() { release(); }

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      mapped_(std::exchange(other.mapped_, false)) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    mapped_ = std::exchange(other.mapped_, false);
  }
  return *this;
}

void ByteBuffer::release() noexcept {
  if (!data_) return;
  if (mapped_) munmap(data_, capacity_);
  else std::free(data_);
  data_ = nullptr;
  size_ = capacity_ = 0;
  mapped_ = false;
}

void ByteBuffer::discardBefore(std::size_t end) {
  if (!mapped_) return;
  static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t whole = std::min(end, capacity_) / page * page;
  if (whole) madvise(data_, whole, MADV_DONTNEED);
}

void ByteBuffer::growFor(std::size_t extra) {
  std::size_t wanted = size_ + extra;
  std::size_t next = capacity_ ? capacity_ : 64;
  while (next < wanted) next *= 2;
  reserve(next);
}

void ByteBuffer::reserve(std::size_t bytes) {
  if (bytes <= capacity_) return;
  if (bytes < kMapThreshold) {
    void* moved = std::realloc(data_, bytes);
    if (!moved) throw std::bad_alloc();
    data_ = static_cast<std::byte*>(moved);
    capacity_ = bytes;
    return;
  }
  bytes = pageRound(bytes);
  if (mapped_) {
    void* moved = mremap(data_, capacity_, bytes, MREMAP_MAYMOVE);
    if (moved == MAP_FAILED) throw std::bad_alloc();
    data_ = static_cast<std::byte*>(moved);
    capacity_ = bytes;
    return;
  }
  void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  if (size_) std::memcpy(mapped, data_, size_);
  std::free(data_);
  data_ = static_cast<std::byte*>(mapped);
  capacity_ = bytes;
  mapped_ = true;
}

}  // namespace tavrello::db
