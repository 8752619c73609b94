#pragma once

#include <filesystem>

#include <sys/inotify.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/system/file_descriptor.h"

namespace tavrello::testing {

// Counts the files renamed into a folder while it lives, by any process:
// each atomic replacement of a file is one.
class RenameCounter {
 public:
  explicit RenameCounter(const std::filesystem::path& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    EXPECT_TRUE(fd_);
    EXPECT_GE(::inotify_add_watch(fd_.get(), folder.c_str(), IN_MOVED_TO), 0) << folder;
  }

  int count() {
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(fd_.get(), buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->mask & IN_MOVED_TO) ++renames_;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return renames_;
  }

 private:
  sys::FileDescriptor fd_;
  int renames_ = 0;
};

}  // namespace tavrello::testing
