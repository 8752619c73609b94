#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace tavrello::builder {

// An event of the component: a list of plain callbacks, raised in the order
// they were connected. A handler may connect or disconnect handlers while
// the event is being raised; the change applies from the next raise.
template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  // Returns an id for disconnect().
  std::size_t connect(Handler handler) {
    handlers_.emplace_back(++lastId_, std::move(handler));
    return lastId_;
  }
  void disconnect(std::size_t id) {
    std::erase_if(handlers_, [id](const auto& entry) { return entry.first == id; });
  }
  void raise(Args... args) const {
    auto handlers = handlers_;
    for (const auto& entry : handlers) entry.second(args...);
  }
 private:
  std::vector<std::pair<std::size_t, Handler>> handlers_;
  std::size_t lastId_ = 0;
};

}  // namespace tavrello::builder
