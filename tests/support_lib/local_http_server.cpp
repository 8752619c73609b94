#include "support_lib/local_http_server.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tavrello::testing {

namespace {

std::uint16_t bindLoopback(int fd) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) throw std::runtime_error("bind failed");
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

void sendAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
    if (n <= 0) return;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

const char* reasonOf(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

}  // namespace

LocalHttpServer::LocalHttpServer(HttpReply reply) : reply_(std::move(reply)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  port_ = bindLoopback(listener_);
  ::listen(listener_, 8);
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
  wakeRead_ = pipeFds[0];
  wakeWrite_ = pipeFds[1];
  thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  const char stop = 'x';
  (void)!::write(wakeWrite_, &stop, 1);
  thread_.join();
  ::close(listener_);
  ::close(wakeRead_);
  ::close(wakeWrite_);
}

std::string LocalHttpServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LocalHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LocalHttpServer::serve() {
  for (;;) {
    pollfd fds[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents) return;
    if (fds[0].revents & POLLIN) {
      const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;
      answer(client);
      ::close(client);
    }
  }
}

void LocalHttpServer::answer(int client) {
  std::string head;
  char buffer[1024];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    head.append(buffer, static_cast<std::size_t>(n));
  }
  head.resize(head.find("\r\n\r\n"));
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(head);
  }
  const int on = 1;
  ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  const std::string status = "HTTP/1.1 " + std::to_string(reply_.status) + " " + reasonOf(reply_.status) +
                             "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(reply_.body.size()) +
                             "\r\nConnection: close\r\n\r\n";
  sendAll(client, status.data(), status.size());
  const std::size_t total = std::min(reply_.body.size(), reply_.cutAfter);
  const std::size_t piece = reply_.pieceSize ? reply_.pieceSize : total;
  for (std::size_t sent = 0; sent < total; sent += piece) {
    if (sent) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    sendAll(client, reply_.body.data() + sent, std::min(piece, total - sent));
  }
}

RefusingPort::RefusingPort() {
  socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  port_ = bindLoopback(socket_);
}

RefusingPort::~RefusingPort() { ::close(socket_); }

std::string RefusingPort::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace tavrello::testing
