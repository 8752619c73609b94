#include "platform/system/registry_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/system/atomic_file.h"
#include "platform/system/clock.h"
#include "platform/system/file_descriptor.h"
#include "platform/system/printable_text.h"
#include "platform/system/registry_file.h"

namespace tavrello::sys::registry {

namespace fs = std::filesystem;

namespace {

bool sameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// The file errors that Failure::fromErrno produces, as registry codes.
LONG codeForFileFailure(const Failure& failure) {
  switch (failure.number()) {
    case 70: return ERROR_ACCESS_DENIED;
    case 61: return ERROR_DISK_FULL;
    default: return ERROR_REGISTRY_IO_FAILED;
  }
}

// Creates the folder and its missing parents, user-only as configuration
// folders should be.
void makeFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return;
  if (folder.has_parent_path() && folder.parent_path() != folder) makeFolder(folder.parent_path());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) throw Failure::fromErrno(errno, "create folder", folder.string());
}

// Takes the exclusive lock of the hive's lock file, held while a change is
// read, applied and written (closing the descriptor releases it), so that two
// processes never lose each other's change.
FileDescriptor lockHive(const fs::path& hivePath) {
  const std::string lockPath = hivePath.string() + ".lock";
  FileDescriptor fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!fd) throw Failure::fromErrno(errno, "open", lockPath);
  while (::flock(fd.get(), LOCK_EX) != 0) {
    if (errno != EINTR) throw Failure::fromErrno(errno, "lock", lockPath);
  }
  return fd;
}

// Reports a write that failed; the file is as it was.
LONG reportFailedWrite(const Failure& failure) {
  std::fprintf(stderr, "tavrello: the registry file was not changed: %s\n",
               printableText(failure.description()).c_str());
  return codeForFileFailure(failure);
}

}  // namespace

bool HiveStore::Stamp::operator==(const Stamp& other) const {
  return device == other.device && inode == other.inode && size == other.size &&
         sameTime(modified, other.modified) && sameTime(changed, other.changed);
}

HiveStore::HiveStore(Locator locate, bool writable, std::string comment)
    : locate_(std::move(locate)), writable_(writable), comment_(std::move(comment)) {}

const Hive& HiveStore::current() {
  refresh();
  return hive_;
}

void HiveStore::refresh() {
  // A batch's changes are not on disk yet, and under its lock the file
  // cannot have changed.
  if (batch_.pending) return;
  auto path = locate_();
  if (path != path_) {
    path_ = std::move(path);
    loaded_ = false;
  }
  if (!path_) {
    hive_ = Hive();
    stamp_.reset();
    unreadable_ = damaged_ = false;
    bytes_.clear();
    loaded_ = true;
    return;
  }
  load(*path_);
}

void HiveStore::load(const fs::path& path) {
  // Not waiting in the open, for a FIFO where the file should be.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  int error = 0;
  if (!fd) error = errno;
  else if (::fstat(fd.get(), &info) != 0) error = errno;
  else if (!S_ISREG(info.st_mode)) error = EISDIR;
  else if (static_cast<std::uint64_t>(info.st_size) > kMaxHiveBytes) error = EFBIG;

  if (error == ENOENT) {
    if (!loaded_ || stamp_ || unreadable_) {
      hive_ = Hive();
      bytes_.clear();
      stamp_.reset();
      unreadable_ = damaged_ = false;
    }
    loaded_ = true;
    return;
  }

  Stamp stamp{};
  if (!error) {
    stamp = Stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
    if (loaded_ && stamp_ && *stamp_ == stamp) return;
  }

  std::string bytes;
  if (!error) {
    char buffer[8192];
    for (;;) {
      const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        error = errno;
        break;
      }
      bytes.append(buffer, static_cast<std::size_t>(n));
      if (bytes.size() > kMaxHiveBytes) {
        error = EFBIG;  // grown since it was looked at
        break;
      }
    }
  }

  if (error) {
    if (!loaded_ || !unreadable_) {
      std::fprintf(stderr, "tavrello: cannot read the registry file '%s': %s; it is left as it is\n",
                   printableText(path.string()).c_str(), std::strerror(error));
    }
    hive_ = Hive();
    bytes_.clear();
    stamp_.reset();
    unreadable_ = true;
    damaged_ = false;
    loaded_ = true;
    return;
  }

  ParsedHive parsed = parseHive(bytes);
  for (const auto& line : parsed.unreadable) {
    std::fprintf(stderr, "tavrello: %s:%zu: unreadable registry line skipped (%s)\n",
                 printableText(path.string()).c_str(), line.number, line.reason.c_str());
  }
  hive_ = std::move(parsed.hive);
  damaged_ = !parsed.unreadable.empty();
  bytes_ = std::move(bytes);
  stamp_ = stamp;
  unreadable_ = false;
  loaded_ = true;
}

LONG HiveStore::modify(const std::function<LONG(Hive&)>& change) {
  if (!writable_) return ERROR_ACCESS_DENIED;
  const auto path = locate_();
  if (!path) return ERROR_PATH_NOT_FOUND;
  try {
    // The hive moved (its folder follows the environment): what the batch
    // gathered for the old place goes there first.
    if (batch_.lock && batch_.path != *path) {
      if (const LONG rc = writePending(); rc != ERROR_SUCCESS) return rc;
    }
    FileDescriptor lock;
    if (!batch_.lock) {
      makeFolder(path->parent_path());
      lock = lockHive(*path);
      refresh();
    }
    if (unreadable_) return ERROR_ACCESS_DENIED;

    // The change works on the hive itself (a copy of a large hive for every
    // call cost seconds at each start); changes check before they change
    // anything, and one cut short by an exception is undone by reading the
    // file again.
    loaded_ = false;
    const LONG rc = change(hive_);
    loaded_ = true;
    if (rc != ERROR_SUCCESS) return rc;
    if (batchDepth_ == 0) {
      writeIfChanged(*path);
      return ERROR_SUCCESS;
    }
    // Holding the lock until the batch ends, no other process can change the
    // file, so the gathered changes stay on top of what it holds.
    if (lock) batch_.lock = std::move(lock);
    batch_.path = *path;
    batch_.pending = true;
    return ERROR_SUCCESS;
  } catch (const Failure& failure) {
    loaded_ = false;
    return reportFailedWrite(failure);
  }
}

void HiveStore::beginBatch() { ++batchDepth_; }

LONG HiveStore::endBatch() {
  if (batchDepth_ == 0 || --batchDepth_ > 0) return ERROR_SUCCESS;
  return writePending();
}

LONG HiveStore::writePending() {
  Batch batch = std::exchange(batch_, Batch());
  if (!batch.pending) return ERROR_SUCCESS;
  try {
    writeIfChanged(batch.path);
    return ERROR_SUCCESS;
  } catch (const Failure& failure) {
    loaded_ = false;
    return reportFailedWrite(failure);
  }
}

void HiveStore::writeIfChanged(const fs::path& path) {
  std::string bytes = formatHive(hive_, comment_);
  // What would be written is what the file holds: nothing changed.
  if (bytes == bytes_ && stamp_) return;
  if (damaged_) keepDamagedCopy(path);
  writeFileAtomically(path, bytes, 0600);
  bytes_ = std::move(bytes);
  damaged_ = false;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    stamp_ = Stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
  } else {
    loaded_ = false;
  }
}

void HiveStore::keepDamagedCopy(const fs::path& path) const {
  const std::string base = path.string() + ".damaged-" + formatLocalTime(now(), "%Y%m%d-%H%M%S");
  std::string copy = base;
  std::error_code ec;
  for (int n = 2; fs::exists(copy, ec); ++n) copy = base + "-" + std::to_string(n);
  writeFileAtomically(copy, bytes_, 0600);
  std::fprintf(stderr, "tavrello: the damaged registry file is kept as '%s'\n", printableText(copy).c_str());
}

}  // namespace tavrello::sys::registry
