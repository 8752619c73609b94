#include "common/bench_measure.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/system/failure.h"

namespace tavrello::bench {

long statusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return 0;
}

namespace {

using Clock = std::chrono::steady_clock;

// Sends the child's result through a pipe: "ok <seconds>" or "failed <text>".
void report(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
}

std::string readAll(int fd) {
  std::string out;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<std::size_t>(n));
  return out;
}

}  // namespace

ChildReport runInChild(const std::function<std::string()>& work) {
  int fds[2];
  if (::pipe(fds) != 0) return {std::string("failed ") + std::strerror(errno), 0, 0};
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return {std::string("failed ") + std::strerror(errno), 0, 0};
  }
  if (pid == 0) {
    ::close(fds[0]);
    std::string result;
    try {
      result = work();
    } catch (const Failure& f) {
      result = "failed " + f.toString();
    } catch (const std::exception& e) {
      result = std::string("failed ") + e.what();
    }
    report(fds[1], result);
    ::_exit(0);
  }
  ::close(fds[1]);
  ChildReport child;
  child.text = readAll(fds[0]);
  ::close(fds[0]);
  struct rusage usage {};
  ::wait4(pid, &child.status, 0, &usage);
  child.peakRssKiB = usage.ru_maxrss;
  return child;
}

Measurement measureInChild(const std::function<void()>& work) {
  const ChildReport child = runInChild([&] {
    const auto start = Clock::now();
    work();
    return "ok " + std::to_string(std::chrono::duration<double>(Clock::now() - start).count());
  });
  Measurement m;
  m.peakRssKiB = child.peakRssKiB;
  if (child.text.rfind("ok ", 0) == 0) {
    m.ok = true;
    m.seconds = std::stod(child.text.substr(3));
  } else {
    m.failure = child.text.empty() ? "the measured process died (status " + std::to_string(child.status) + ")"
                                   : child.text.substr(7);
  }
  return m;
}

Measurement measureCommand(const std::string& shellCommand) {
  const auto start = Clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) return {false, 0, 0, std::strerror(errno)};
  if (pid == 0) {
    ::execl("/bin/sh", "sh", "-c", shellCommand.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  ::wait4(pid, &status, 0, &usage);
  Measurement m;
  m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  m.peakRssKiB = usage.ru_maxrss;
  m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!m.ok) m.failure = "command failed (status " + std::to_string(status) + "): " + shellCommand;
  return m;
}

Measurement bestOf(int runs, const std::function<Measurement()>& measure) {
  Measurement best;
  for (int i = 0; i < runs; ++i) {
    Measurement m = measure();
    if (!m.ok) return m;
    const long peak = std::max(best.peakRssKiB, m.peakRssKiB);
    if (!best.ok || m.seconds < best.seconds) best = m;
    best.peakRssKiB = peak;
  }
  return best;
}

std::string shellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

}  // namespace tavrello::bench
