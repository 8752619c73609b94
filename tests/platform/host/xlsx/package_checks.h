#pragma once

// Checks of written packages against independent readers: the ECMA schemas
// through xmllint, and openpyxl. Both are found at test time; a test skips
// with a message when one is missing, unless TAVRELLO_REQUIRE_READERS=1 says
// that the machine must have them (CI).

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support_lib/test_env.h"

namespace tavrello::testing::xlsx {

struct CommandResult {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

// Runs a shell command line and gathers what it prints.
inline CommandResult runCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
  int status = ::pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// A text as one argument of a shell command line.
inline std::string shellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

inline bool readersRequired() {
  const char* value = std::getenv("TAVRELLO_REQUIRE_READERS");
  return value && std::string(value) == "1";
}

// A Python interpreter that can import openpyxl (the first python3 on PATH
// may be another installation than the system's).
inline std::optional<std::string> openpyxlPython() {
  for (std::string candidate : {"python3", "/usr/bin/python3"}) {
    if (runCommand(candidate + " -c 'import openpyxl'").exitCode == 0) return candidate;
  }
  return std::nullopt;
}

// Unpacks a zip archive with Python's zipfile module (independent of the
// host's own reader).
inline void unpack(const std::filesystem::path& archive, const std::filesystem::path& folder) {
  auto result = runCommand("python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' " +
                           shellQuote(archive.string()) + " " + shellQuote(folder.string()));
  ASSERT_EQ(result.exitCode, 0) << result.output;
}

// The ECMA-376 transitional and packaging schemas, unpacked into a
// temporary folder for the lifetime of the object.
class Schemas {
 public:
  Schemas() {
    std::filesystem::path zips = testing::xlsxTestData() / "schemas";
    if (!std::filesystem::exists(zips / "OfficeOpenXML-XMLSchema-Transitional.zip")) {
      missing_ = "the schemas are not at " + zips.string();
      return;
    }
    if (runCommand("xmllint --version").exitCode != 0) {
      missing_ = "xmllint is not installed (package libxml2-utils)";
      return;
    }
    unpack(zips / "OfficeOpenXML-XMLSchema-Transitional.zip", dir_.path());
    unpack(zips / "OpenPackagingConventions-XMLSchema.zip", dir_.path());
  }

  // Empty when the schemas can be used; otherwise why not.
  const std::string& missing() const { return missing_; }

  // xmllint's verdict on one part against one schema file ("sml.xsd").
  CommandResult validate(const std::filesystem::path& part, const std::string& schema) const {
    return runCommand("xmllint --noout --nonet --schema " + shellQuote((dir_.path() / schema).string()) + " " +
                      shellQuote(part.string()));
  }

  // Validates every part of an unpacked package with the schema its kind
  // needs; fails the test for each part that does not validate.
  void validatePackage(const std::filesystem::path& folder) const {
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      std::string name = entry.path().filename().string();
      std::string schema;
      if (name == "[Content_Types].xml") schema = "opc-contentTypes.xsd";
      else if (entry.path().extension() == ".rels") schema = "opc-relationships.xsd";
      else if (entry.path().extension() == ".xml") schema = "sml.xsd";
      else continue;
      // The schema declares a string's <t> without attributes, yet the
      // spreadsheet program trims a text's blanks at either end unless
      // xml:space="preserve" (XML's own attribute) says to keep them, and
      // writes it itself. The check looks past that one attribute.
      std::filesystem::path target = entry.path();
      std::string text = readFile(target);
      if (text.find(" xml:space=\"preserve\"") != std::string::npos) {
        for (std::size_t at; (at = text.find(" xml:space=\"preserve\"")) != std::string::npos;) text.erase(at, 21);
        target = dir_.path() / "without-space.xml";
        writeFile(target, text);
      }
      CommandResult result = validate(target, schema);
      EXPECT_EQ(result.exitCode, 0) << entry.path() << " against " << schema << ":\n" << result.output;
      ++checked;
    }
    EXPECT_GT(checked, 4);
  }

 private:
  TempDir dir_;
  std::string missing_;
};

// Skips the current test (or fails it when readers are required).
#define TAVRELLO_SKIP_WITHOUT(reason)                                                       \
  do {                                                                                       \
    if (readersRequired()) FAIL() << "TAVRELLO_REQUIRE_READERS=1 but " << (reason);          \
    GTEST_SKIP() << (reason);                                                                \
  } while (0)

// Runs a Python script with openpyxl on one file; the script reads the
// workbook as `wb` (sys.argv[1]) and prints what the test compares. Returns
// the printed text.
inline CommandResult runOpenpyxl(const std::string& python, const std::filesystem::path& file,
                                 const std::string& script) {
  TempDir dir;
  writeFile(dir / "check.py", "import sys, openpyxl\nwb = openpyxl.load_workbook(sys.argv[1])\n" + script);
  return runCommand(python + " " + shellQuote((dir / "check.py").string()) + " " + shellQuote(file.string()));
}

}  // namespace tavrello::testing::xlsx
