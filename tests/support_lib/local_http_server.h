#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavrello::testing {

// What the server sends for every request.
struct HttpReply {
  int status = 200;
  std::string body;
  // The body goes out in pieces of this size with a short pause between
  // them, so that the client receives it in several reads; 0 sends it whole.
  std::size_t pieceSize = 0;
  // Announces the full length but closes the connection after this many
  // bytes of the body, as a server that breaks off does.
  std::size_t cutAfter = SIZE_MAX;
};

// A small HTTP/1.1 server on 127.0.0.1 and a port of the system's choosing,
// answering on a thread of its own until it goes. It records the head of
// every request (request line and headers) for the test to inspect.
class LocalHttpServer {
 public:
  explicit LocalHttpServer(HttpReply reply);
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  std::uint16_t port() const { return port_; }
  // "http://127.0.0.1:PORT" followed by path.
  std::string url(const std::string& path) const;
  std::vector<std::string> requests() const;

 private:
  void serve();
  void answer(int client);

  HttpReply reply_;
  int listener_ = -1;
  int wakeRead_ = -1, wakeWrite_ = -1;
  std::uint16_t port_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A port on 127.0.0.1 that refuses connections for as long as the object
// lives: bound, so nobody else takes it, but not listening.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;

  std::uint16_t port() const { return port_; }
  std::string url(const std::string& path) const;

 private:
  int socket_ = -1;
  std::uint16_t port_ = 0;
};

}  // namespace tavrello::testing
