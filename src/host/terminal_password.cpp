#include "host/terminal_password.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/system/file_descriptor.h"
#include "platform/system/printable_text.h"

namespace tavrello::host {

namespace {

// Switches echo off on a terminal and back on when it goes, also when the
// read is cut short.
class EchoOff {
 public:
  explicit EchoOff(int fd) : fd_(fd) {
    if (::tcgetattr(fd_, &saved_) != 0) return;
    termios quiet = saved_;
    quiet.c_lflag &= static_cast<tcflag_t>(~(ECHO | ECHONL));
    quiet.c_lflag |= ICANON;
    active_ = ::tcsetattr(fd_, TCSAFLUSH, &quiet) == 0;
  }
  ~EchoOff() {
    if (active_) ::tcsetattr(fd_, TCSAFLUSH, &saved_);
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  int fd_;
  termios saved_{};
  bool active_ = false;
};

void writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

std::optional<std::string> askPasswordOnTerminal(const std::string& prompt) {
  sys::FileDescriptor tty(::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!tty || !::isatty(tty.get())) return std::nullopt;
  writeAll(tty.get(), sys::printableText(prompt));
  std::string line;
  bool ended = false;
  {
    EchoOff quiet(tty.get());
    char c;
    while (::read(tty.get(), &c, 1) == 1) {
      if (c == '\n' || c == '\r') {
        ended = true;
        break;
      }
      line += c;
    }
  }
  writeAll(tty.get(), "\n");
  if (!ended) return std::nullopt;
  return line;
}

}  // namespace tavrello::host
