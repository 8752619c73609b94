#pragma once

#include <memory>
#include <utility>

namespace tavrello::builder {

// An optional value held on the heap with value semantics: copies are deep
// and == compares the values. The syntax tree uses it where a node holds a
// node of its own kind (a subquery inside an expression inside a query).
template <class T>
class Box {
 public:
  Box() = default;
  Box(T value) : ptr_(std::make_unique<T>(std::move(value))) {}  // NOLINT: implicit by design
  Box(const Box& other) : ptr_(other.ptr_ ? std::make_unique<T>(*other.ptr_) : nullptr) {}
  Box(Box&&) noexcept = default;
  Box& operator=(const Box& other) {
    if (this != &other) ptr_ = other.ptr_ ? std::make_unique<T>(*other.ptr_) : nullptr;
    return *this;
  }
  Box& operator=(Box&&) noexcept = default;
  ~Box() = default;

  explicit operator bool() const { return ptr_ != nullptr; }
  T& operator*() { return *ptr_; }
  const T& operator*() const { return *ptr_; }
  T* operator->() { return ptr_.get(); }
  const T* operator->() const { return ptr_.get(); }
  void reset() { ptr_.reset(); }

  friend bool operator==(const Box& a, const Box& b) {
    if (!a.ptr_ || !b.ptr_) return !a.ptr_ && !b.ptr_;
    return *a.ptr_ == *b.ptr_;
  }

 private:
  std::unique_ptr<T> ptr_;
};

}  // namespace tavrello::builder
