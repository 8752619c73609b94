#include "support_lib/test_env.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace tavrello::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "tavrello-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // A test may have taken write permission away from a folder to provoke a failure.
  for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) old_ = old;
  if (value) setenv(name_.c_str(), value->c_str(), 1);
  else unsetenv(name_.c_str());
}

ScopedEnv::~ScopedEnv() {
  if (old_) setenv(name_.c_str(), old_->c_str(), 1);
  else unsetenv(name_.c_str());
}

FakeHome::FakeHome()
    : home_("HOME", dir_.path().string()),
      data_("XDG_DATA_HOME", (dir_.path() / "data").string()),
      config_("XDG_CONFIG_HOME", (dir_.path() / "config").string()) {
  fs::create_directories(dataHome());
  fs::create_directories(configHome());
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

fs::path artefactDir() {
  const char* dir = std::getenv("TAVRELLO_TEST_ARTEFACTS");
  fs::path p = dir ? fs::path(dir) : fs::temp_directory_path() / "tavrello-test-artifacts";
  fs::create_directories(p);
  return p;
}

namespace {

fs::path testData() {
  const char* source = std::getenv("TAVRELLO_SOURCE_DIR");
  return fs::path(source ? source : ".") / "tests" / "data";
}

}  // namespace

fs::path xlsxTestData() { return testData() / "xlsx"; }

fs::path hostileTestData() { return testData() / "hostile"; }

}  // namespace tavrello::testing
