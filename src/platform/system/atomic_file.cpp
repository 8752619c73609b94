#include "platform/system/atomic_file.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system/failure.h"
#include "platform/system/file_descriptor.h"
#include "platform/system/locked_temporary.h"

namespace tavrello::sys {

namespace {

std::atomic<int> interruptions{0};

void writeAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Failure::fromErrno(errno, "write", path.string());
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

// Removes the temporary file unless it has been renamed or is to be left.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }
  void keep() { path_.clear(); }

 private:
  std::string path_;
};

}  // namespace

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, mode_t mode) {
  const auto folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  const std::string stem = path.filename().string() + ".tmp-";
  // What an earlier writer of this file left when it was killed.
  removeStaleTemporaries(folder, [&](std::string_view name) { return isTemporaryName(name, stem); });

  LockedTemporary created = createLockedTemporary(path.string() + ".tmp-XXXXXX");
  const std::string& pattern = created.path;
  TemporaryFile temporary(pattern);

  if (::fchmod(created.file.get(), mode) != 0) throw Failure::fromErrno(errno, "set permissions of", pattern);
  writeAll(created.file.get(), bytes, pattern);
  if (::fsync(created.file.get()) != 0) throw Failure::fromErrno(errno, "flush", pattern);
  if (created.file.reset() != 0) throw Failure::fromErrno(errno, "close", pattern);

  if (interruptions.load() > 0) {
    temporary.keep();
    throw Failure(75, "write of '" + path.string() + "' interrupted before the rename");
  }
  if (::rename(pattern.c_str(), path.c_str()) != 0) throw Failure::fromErrno(errno, "replace", path.string());
  temporary.keep();

  // The rename itself reaches the disk only with the folder's entry.
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir) ::fsync(dir.get());
}

ScopedInterruptBeforeRename::ScopedInterruptBeforeRename() { ++interruptions; }
ScopedInterruptBeforeRename::~ScopedInterruptBeforeRename() { --interruptions; }

}  // namespace tavrello::sys
