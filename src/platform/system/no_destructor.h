#pragma once

#include <new>
#include <utility>

namespace tavrello::sys {

// Holds a process-wide object that is never destroyed, so that code running
// during exit (destructors of other libraries' statics that close a registry
// key, say) never finds it gone. Its memory lives inside this holder.
template <typename T>
class NoDestructor {
 public:
  template <typename... Args>
  explicit NoDestructor(Args&&... args) {
    ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
  }
  ~NoDestructor() = default;
  NoDestructor(const NoDestructor&) = delete;
  NoDestructor& operator=(const NoDestructor&) = delete;

  T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace tavrello::sys
