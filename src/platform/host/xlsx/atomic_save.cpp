#include "platform/host/xlsx/atomic_save.h"

#include <atomic>
#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/host/xlsx/output_device.h"
#include "platform/system/failure.h"
#include "platform/system/locked_temporary.h"

namespace tavrello::host::xlsx {

namespace {

std::atomic<int> interruptions{0};

// Removes the new file unless it has become the saved one.
class NewFile {
 public:
  explicit NewFile(std::string path) : path_(std::move(path)) {}
  ~NewFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  void keep() { path_.clear(); }

 private:
  std::string path_;
};

mode_t modeFor(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The name of a save's new file, before it replaces `path`: hidden, so that
// a folder listing does not show it.
std::string temporaryStem(const std::filesystem::path& path) { return "." + path.filename().string() + ".saving-"; }

// A save's new file that a killed save left, of any workbook in the folder:
// "." + the workbook's name + ".saving-" + six letters or digits.
bool isSavingFile(std::string_view name) {
  constexpr std::string_view kMarker = ".saving-";
  constexpr std::size_t kEnding = kMarker.size() + 6;
  return name.size() > kEnding + 1 && name[0] == '.' &&
         sys::isTemporaryName(name.substr(name.size() - kEnding), kMarker);
}

void replace(const std::filesystem::path& path, const std::function<void(OutputDevice&)>& write) {
  const std::filesystem::path folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
  sys::removeStaleTemporaries(folder, isSavingFile);
  sys::LockedTemporary created = sys::createLockedTemporary((folder / (temporaryStem(path) + "XXXXXX")).string());
  const std::string& pattern = created.path;
  NewFile newFile(pattern);
  if (::fchmod(created.file.get(), modeFor(path)) != 0)
    throw Failure::fromErrno(errno, "set the permissions of", pattern);

  FileDevice device(std::move(created.file), pattern);
  write(device);
  device.finish();
  if (interruptions.load() > 0) throw Failure(75, "the save was interrupted before the new file replaced the old one");
  if (::rename(pattern.c_str(), path.c_str()) != 0) throw Failure::fromErrno(errno, "replace", path.string());
  newFile.keep();

  // The rename reaches the disk with the folder's entry.
  sys::FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir) ::fsync(dir.get());
}

Failure saveFailure(const std::filesystem::path& path, bool existed, std::int32_t number, const std::string& why) {
  std::string text = "The workbook could not be saved as '" + path.string() + "': " + why;
  if (!text.empty() && text.back() != '.') text += '.';
  text += existed ? " The file that was there is unchanged." : " No file was written.";
  return Failure(number, text);
}

}  // namespace

void saveAtomically(const std::filesystem::path& path, const std::function<void(OutputDevice&)>& write) {
  std::error_code ignored;
  const bool existed = std::filesystem::exists(path, ignored);
  // A link stays a link: the file it leads to is the one replaced.
  std::filesystem::path target = path;
  if (std::filesystem::is_symlink(path, ignored)) {
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ignored);
    if (!ignored) target = resolved;
  }
  try {
    replace(target, write);
  } catch (const Failure& failure) {
    throw saveFailure(path, existed, failure.number(), failure.description());
  } catch (const std::bad_alloc&) {
    throw saveFailure(path, existed, 7, "out of memory");
  } catch (const std::exception& e) {
    throw saveFailure(path, existed, 75, e.what());
  }
}

ScopedSaveInterruption::ScopedSaveInterruption() { ++interruptions; }
ScopedSaveInterruption::~ScopedSaveInterruption() { --interruptions; }

}  // namespace tavrello::host::xlsx
