// Torn-write trials: the settings file, the registry file and a workbook of
// 200,000 rows are saved in a child process that is killed with SIGKILL at a
// random moment of its save. After every kill the file must be the one that
// was there or the new one, whole. Usage:
//   torn_write_trials [--trials N] [--seed S]
// The trials go round the three files; the kill moments are drawn from the
// seed, between the fork and a little after the time a whole save took.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/host/xlsx/book_reader.h"
#include "platform/host/xlsx/book_writer.h"
#include "platform/system/failure.h"
#include "platform/system/registry_file.h"
#include "platform/system/registry_store.h"
#include "profiles/connection_list.h"
#include "profiles/settings_document.h"
#include "profiles/settings_store.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::int32_t workbookRows = 200000;
// No single trial may take longer than this; a hung save fails the run.
constexpr unsigned kTrialSecondsLimit = 120;

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One file under trial: how a child saves version 0 or 1 of it, and what
// the file must read as for each version.
struct Subject {
  std::string name;
  fs::path file;
  std::function<void(int version)> save;
  // Which version the file on disk is whole, or -1 when it is neither.
  std::function<int()> versionOnDisk;
  double saveSeconds = 0;
  int trials = 0, old = 0, replaced = 0, torn = 0;
};

std::vector<tavrello::ConnectionProfile> settingsRows(int version) {
  std::vector<tavrello::ConnectionProfile> rows;
  for (int i = 0; i < 4000; ++i) {
    rows.push_back({"Connection " + std::to_string(i) + " v" + std::to_string(version),
                    "Driver={PostgreSQL Unicode};Server=db" + std::to_string(i) + ";Database=orders;UID=u" +
                        std::to_string(version) + ";Port=" + std::to_string(5000 + i) + ";"});
  }
  return rows;
}

Subject settingsSubject(const fs::path& folder) {
  Subject s;
  s.name = "settings file";
  ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
  fs::create_directories(folder / "Tavrello");
  s.file = tavrello::settingsFilePath();
  s.save = [](int version) { tavrello::MStandardCode::Update_XML_File(settingsRows(version)); };
  s.versionOnDisk = [file = s.file, expected = std::vector{settingsRows(0), settingsRows(1)}]() {
    const tavrello::SettingsDocument doc = tavrello::SettingsDocument::fromText(readFile(file));
    std::vector<tavrello::ConnectionProfile> rows;
    try {
      for (std::size_t i = 0; i < doc.connectionCount(); ++i) rows.push_back(doc.connection(i));
    } catch (const tavrello::Failure&) {
      return -1;
    }
    for (int version : {0, 1}) {
      if (rows == expected[static_cast<std::size_t>(version)]) return version;
    }
    return -1;
  };
  return s;
}

using tavrello::sys::registry::Hive;

void fillHive(Hive& hive, int version) {
  hive = Hive();
  for (int k = 0; k < 100; ++k) {
    const std::string path = "Software\\Trials\\Key" + std::to_string(k);
    hive.create(path);
    for (int v = 0; v < 50; ++v) {
      tavrello::sys::registry::setValue(*hive.find(path), "Value" + std::to_string(v),
                                        "text " + std::to_string(k * v) + " of version " + std::to_string(version));
    }
  }
}

Subject registrySubject(const fs::path& folder) {
  Subject s;
  s.name = "registry file";
  s.file = folder / "registry" / "user.reg";
  s.save = [file = s.file](int version) {
    tavrello::sys::registry::HiveStore store([file] { return std::optional<fs::path>(file); }, true, "trials");
    store.modify([version](Hive& hive) {
      fillHive(hive, version);
      return tavrello::sys::ERROR_SUCCESS;
    });
  };
  std::vector<std::string> expected;
  for (int version : {0, 1}) {
    Hive hive;
    fillHive(hive, version);
    expected.push_back(tavrello::sys::registry::formatHive(hive, "trials"));
  }
  s.versionOnDisk = [file = s.file, expected]() {
    const auto parsed = tavrello::sys::registry::parseHive(readFile(file));
    if (!parsed.unreadable.empty()) return -1;
    const std::string read = tavrello::sys::registry::formatHive(parsed.hive, "trials");
    for (int version : {0, 1}) {
      if (read == expected[static_cast<std::size_t>(version)]) return version;
    }
    return -1;
  };
  return s;
}

// A marker in A1 tells the versions apart; the last row shows the file is whole.
std::string markerOf(int version) { return "version " + std::to_string(version); }

// Both versions are built before the trials, so that a child's time is its
// save's alone.
std::shared_ptr<tavrello::host::Book> workbookOf(tavrello::host::WorkbookApplication& app, int version) {
  using namespace tavrello::host;
  auto book = std::dynamic_pointer_cast<Book>(app.Workbooks()->Add());
  auto sheet = book->activeSheet();
  sheet->setValue(1, 1, CellValue(markerOf(version)));
  for (std::int32_t row = 2; row <= workbookRows; ++row) {
    sheet->setValue(row, 1, CellValue(static_cast<double>(row + version)));
    sheet->setValue(row, 2, CellValue("order " + std::to_string(row)));
    sheet->setValue(row, 3, CellValue(row % 7 == version));
  }
  return book;
}

// Which version the host's reader finds in the file, or -1.
int workbookVersion(const fs::path& file) {
  using namespace tavrello::host;
  auto app = WorkbookApplication::create();
  std::shared_ptr<Book> book;
  try {
    book = xlsx::readBook(*app, file);
  } catch (const tavrello::Failure& failure) {
    std::fprintf(stderr, "the workbook does not open: %s\n", failure.description().c_str());
    return -1;
  }
  auto sheet = book->activeSheet();
  for (int version : {0, 1}) {
    if (sheet->value(1, 1) == CellValue(markerOf(version)) &&
        sheet->value(workbookRows, 1) == CellValue(static_cast<double>(workbookRows + version)) &&
        sheet->value(workbookRows, 2) == CellValue("order " + std::to_string(workbookRows)) &&
        sheet->value(workbookRows + 1, 1) == CellValue()) {
      return version;
    }
  }
  return -1;
}

Subject workbookSubject(const fs::path& folder) {
  using namespace tavrello::host;
  Subject s;
  s.name = "workbook of " + std::to_string(workbookRows) + " rows";
  s.file = folder / "orders.xlsx";
  auto app = WorkbookApplication::create();
  std::vector<std::shared_ptr<Book>> books = {workbookOf(*app, 0), workbookOf(*app, 1)};
  s.save = [file = s.file, app, books](int version) { xlsx::saveBook(*books[static_cast<std::size_t>(version)], file); };
  // A file the reader found whole once is known by its bytes after that;
  // any other file is read again.
  auto known = std::make_shared<std::vector<std::string>>(2);
  s.versionOnDisk = [file = s.file, known]() {
    const std::string bytes = readFile(file);
    for (int version : {0, 1}) {
      if (!(*known)[static_cast<std::size_t>(version)].empty() && bytes == (*known)[static_cast<std::size_t>(version)]) {
        return version;
      }
    }
    const int version = workbookVersion(file);
    if (version >= 0) (*known)[static_cast<std::size_t>(version)] = bytes;
    return version;
  };
  return s;
}

// Runs the save in a child; kills it after `killAfter` seconds unless it
// ended before. Returns how long the child lived.
double saveInChild(const Subject& subject, int version, double killAfter) {
  const auto start = Clock::now();
  const pid_t child = ::fork();
  if (child < 0) {
    std::perror("fork");
    std::exit(2);
  }
  if (child == 0) {
    try {
      subject.save(version);
    } catch (...) {
      ::_exit(3);
    }
    ::_exit(0);
  }
  const auto deadline = start + std::chrono::duration<double>(killAfter);
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (Clock::now() >= deadline) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      break;
    }
    ::usleep(200);
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "the %s's save failed in the child (exit %d)\n", subject.name.c_str(), WEXITSTATUS(status));
    std::exit(2);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A temporary file a killed save left is removed by the next save; after a
// whole save the folder holds none.
bool leftTemporaries(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".tmp-") != std::string::npos || name.find(".saving-") != std::string::npos) {
      std::fprintf(stderr, "left behind: %s\n", entry.path().c_str());
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int trials = 20;
  std::uint64_t seed = 16;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--trials") trials = std::atoi(argv[i + 1]);
    else if (option == "--seed") seed = std::strtoull(argv[i + 1], nullptr, 10);
    else if (option == "--rows") workbookRows = std::atoi(argv[i + 1]);
  }
  std::string pattern = (fs::temp_directory_path() / "tavrello-torn-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return 2;
  const fs::path folder = pattern;
  std::vector<Subject> subjects = {settingsSubject(folder), registrySubject(folder), workbookSubject(folder)};

  // Version 0 on disk (the folder is new), then the time a whole save of
  // version 1 takes.
  for (Subject& s : subjects) {
    saveInChild(s, 0, kTrialSecondsLimit);
    s.saveSeconds = saveInChild(s, 1, kTrialSecondsLimit);
    if (s.versionOnDisk() != 1) {
      std::fprintf(stderr, "the %s does not read back after a whole save\n", s.name.c_str());
      return 1;
    }
  }

  std::mt19937_64 random(seed);
  for (int trial = 0; trial < trials; ++trial) {
    Subject& s = subjects[static_cast<std::size_t>(trial) % subjects.size()];
    const int before = s.versionOnDisk();
    const double killAfter = std::uniform_real_distribution<double>(0, s.saveSeconds * 1.1)(random);
    ::alarm(kTrialSecondsLimit);
    saveInChild(s, 1 - before, killAfter);
    const int after = s.versionOnDisk();
    ::alarm(0);
    ++s.trials;
    if (after == before) ++s.old;
    else if (after == 1 - before) ++s.replaced;
    else {
      ++s.torn;
      std::fprintf(stderr, "trial %d: the %s is torn (killed after %.4f s)\n", trial, s.name.c_str(), killAfter);
    }
  }

  int torn = 0;
  for (Subject& s : subjects) {
    // The other version, as a store writes nothing that the file holds already.
    saveInChild(s, 1 - s.versionOnDisk(), kTrialSecondsLimit);
    const bool left = leftTemporaries(s.file.parent_path());
    std::printf("%-26s %4d trials: %4d old, %4d new, %d torn; a whole save takes %.3f s%s\n", s.name.c_str(),
                s.trials, s.old, s.replaced, s.torn, s.saveSeconds, left ? "; temporary files left" : "");
    torn += s.torn + (left ? 1 : 0);
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return torn == 0 ? 0 : 1;
}
