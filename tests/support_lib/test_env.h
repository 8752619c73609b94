#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tavrello::testing {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Sets (or, with std::nullopt, unsets) one environment variable for the
// lifetime of the object and restores the old value afterwards.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Points HOME, XDG_DATA_HOME and XDG_CONFIG_HOME into a temporary folder, so
// that a test never touches the real user's files.
class FakeHome {
 public:
  FakeHome();
  const std::filesystem::path& home() const { return dir_.path(); }
  std::filesystem::path dataHome() const { return dir_.path() / "data"; }
  std::filesystem::path configHome() const { return dir_.path() / "config"; }

 private:
  TempDir dir_;
  ScopedEnv home_, data_, config_;
};

// Tests of a reader's linear time use inputs large enough that a quadratic
// reader would run for hours. The sanitized build, many times slower, checks
// their memory use and reads a tenth of them.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr int kLargeInputDivisor = 10;
#else
inline constexpr int kLargeInputDivisor = 1;
#endif

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// Folder where tests leave artefacts (screenshots, written workbooks) for a
// person to look at: $TAVRELLO_TEST_ARTEFACTS, created on demand.
std::filesystem::path artefactDir();

// The workbooks and schemas the .xlsx tests read: tests/data/xlsx of the
// source tree ($TAVRELLO_SOURCE_DIR).
std::filesystem::path xlsxTestData();

// Hand-made hostile inputs (workbooks, settings files) that once crashed,
// hung or misled the host: tests/data/hostile of the source tree.
std::filesystem::path hostileTestData();

}  // namespace tavrello::testing
