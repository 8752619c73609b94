#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tavrello::forms {

// Ends one observer's connection when it goes. It may outlive the signal it
// came from; disconnecting then does nothing.
class Subscription {
 public:
  Subscription() = default;
  explicit Subscription(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
  ~Subscription() { reset(); }
  Subscription(Subscription&& other) noexcept : disconnect_(std::exchange(other.disconnect_, {})) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      reset();
      disconnect_ = std::exchange(other.disconnect_, {});
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;

  void reset() {
    if (disconnect_) std::exchange(disconnect_, {})();
  }

 private:
  std::function<void()> disconnect_;
};

// A list of observers called in the order they connected. An observer may
// disconnect itself or others while being called; those not yet called are
// then skipped. Single-threaded, like everything in the forms layer.
template <class... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  Signal() = default;
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;

  [[nodiscard]] Subscription connect(Slot slot) {
    auto entry = std::make_shared<Entry>(Entry{std::move(slot), true});
    entries_->push_back(entry);
    std::weak_ptr<Entries> weakEntries = entries_;
    std::weak_ptr<Entry> weakEntry = entry;
    return Subscription([weakEntries, weakEntry] {
      auto e = weakEntry.lock();
      if (!e) return;
      e->connected = false;
      if (auto list = weakEntries.lock()) {
        list->erase(std::remove(list->begin(), list->end(), e), list->end());
      }
    });
  }

  void notify(Args... args) const {
    const Entries snapshot = *entries_;
    for (const auto& entry : snapshot) {
      if (entry->connected) entry->slot(args...);
    }
  }

 private:
  struct Entry {
    Slot slot;
    bool connected;
  };
  using Entries = std::vector<std::shared_ptr<Entry>>;
  std::shared_ptr<Entries> entries_ = std::make_shared<Entries>();
};

}  // namespace tavrello::forms
