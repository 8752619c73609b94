#include "platform/host/workbook/string_pool.h"

#include <cstring>
#include <functional>

namespace tavrello::host {

namespace {
constexpr std::size_t kBlockSize = 256 * 1024;
}

StringPool::StringPool() : slots_(1024, 0) {}

std::string_view StringPool::store(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > kBlockSize / 4) {
    // A long text gets a block of its own, so that the open block is kept.
    large_.push_back(std::make_unique<char[]>(text.size()));
    std::memcpy(large_.back().get(), text.data(), text.size());
    largeBytes_ += text.size();
    return {large_.back().get(), text.size()};
  }
  if (blockSize_ - blockUsed_ < text.size()) {
    blocks_.push_back(std::make_unique<char[]>(kBlockSize));
    blockSize_ = kBlockSize;
    blockUsed_ = 0;
  }
  char* place = blocks_.back().get() + blockUsed_;
  std::memcpy(place, text.data(), text.size());
  blockUsed_ += text.size();
  return {place, text.size()};
}

void StringPool::grow() {
  std::vector<std::uint32_t> slots(slots_.size() * 2, 0);
  std::size_t mask = slots.size() - 1;
  for (std::uint32_t i = 0; i < texts_.size(); ++i) {
    std::size_t at = std::hash<std::string_view>{}(texts_[i]) & mask;
    while (slots[at] != 0) at = (at + 1) & mask;
    slots[at] = i + 1;
  }
  slots_ = std::move(slots);
}

std::uint32_t StringPool::intern(std::string_view text) {
  if ((texts_.size() + 1) * 2 > slots_.size()) grow();
  std::size_t mask = slots_.size() - 1;
  std::size_t at = std::hash<std::string_view>{}(text) & mask;
  while (slots_[at] != 0) {
    std::uint32_t index = slots_[at] - 1;
    if (texts_[index] == text) return index;
    at = (at + 1) & mask;
  }
  auto index = static_cast<std::uint32_t>(texts_.size());
  texts_.push_back(store(text));
  slots_[at] = index + 1;
  return index;
}

std::size_t StringPool::bytesUsed() const {
  std::size_t bytes = slots_.capacity() * sizeof(std::uint32_t) + texts_.capacity() * sizeof(std::string_view);
  bytes += blocks_.size() * kBlockSize + largeBytes_;
  return bytes;
}

}  // namespace tavrello::host
