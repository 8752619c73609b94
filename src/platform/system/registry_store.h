#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <sys/stat.h>

#include "platform/system/file_descriptor.h"
#include "platform/system/registry.h"
#include "platform/system/registry_hive.h"

namespace tavrello::sys::registry {

// A hive file larger than this is not read, and not written over: the
// program's own hold a few kilobytes, and each line of a file costs tens of
// times its length in memory.
inline constexpr std::uint64_t kMaxHiveBytes = std::uint64_t{1} << 20;

// One hive kept in step with its file. Reads see the file as it is now: it is
// read again whenever its identity, size or times changed since the last read
// (another process replaced it). Not thread-safe: the registry calls
// serialise access.
class HiveStore {
 public:
  // `locate` tells where the file is now (it follows the environment), or
  // nothing when the hive has no location; `comment` heads every file written.
  using Locator = std::function<std::optional<std::filesystem::path>()>;
  HiveStore(Locator locate, bool writable, std::string comment);

  // The current contents. A missing file is an empty hive; a file that cannot
  // be read at all is reported on standard error and read as empty; its
  // unreadable lines are reported there and skipped, keeping the rest.
  const Hive& current();

  // Applies `change` to the current contents and, when it returns
  // ERROR_SUCCESS, writes them to the file: the folder is created (0700)
  // when missing, the write is atomic and takes the file's lock, a damaged
  // file is first kept beside it as <name>.damaged-<YYYYMMDD-HHMMSS>, and the
  // file gets permissions 0600. Contents that format as the file already
  // reads are not written. `change` must change nothing when it fails.
  // Returns the change's code, or ERROR_ACCESS_DENIED for a read-only hive or
  // a file that could not be read (it is never replaced), or the code of the
  // write's failure, after which the file is unchanged and is read again on
  // the next call.
  LONG modify(const std::function<LONG(Hive&)>& change);

  // Between these, changes are gathered and the file is written once, when
  // the outermost batch ends; endBatch returns that write's code. From the
  // first change on, the batch holds the file's lock.
  void beginBatch();
  LONG endBatch();

 private:
  struct Stamp {
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified;
    timespec changed;
    bool operator==(const Stamp& other) const;
  };

  // Changes gathered by a batch, not yet written.
  struct Batch {
    FileDescriptor lock;  // the hive's lock, from the batch's first change on
    std::filesystem::path path;
    bool pending = false;
  };

  void refresh();
  void load(const std::filesystem::path& path);
  void writeIfChanged(const std::filesystem::path& path);
  LONG writePending();
  void keepDamagedCopy(const std::filesystem::path& path) const;

  Locator locate_;
  bool writable_;
  std::string comment_;

  std::optional<std::filesystem::path> path_;
  bool loaded_ = false;            // hive_ reflects the file as of stamp_
  std::optional<Stamp> stamp_;     // nothing: the file was missing or unreadable
  bool unreadable_ = false;        // the file exists but could not be read
  bool damaged_ = false;           // some lines were skipped
  std::string bytes_;              // the file as last read or written
  Hive hive_;
  int batchDepth_ = 0;
  Batch batch_;
};

}  // namespace tavrello::sys::registry
