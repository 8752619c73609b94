#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrello::host {

// What `tavrello import` was asked to do.
struct ImportArguments {
  std::string connection;
  // Exactly one of the two: the statement, or the file that holds it.
  std::optional<std::string> sql;
  std::optional<std::string> sqlFile;
  // The destination: a cell of the workbook's active sheet (A1 unless
  // given), or a new workbook.
  std::string cell = "A1";
  bool newWorkbook = false;
  bool headers = false;
  bool autofilter = false;
  // The formatting scheme as given; "No Formatting" when none is.
  std::string format = "No Formatting";
  // A linked query table of this name instead of values.
  std::optional<std::string> embed;
  std::optional<std::string> workbook;
  std::string output;
  // Not empty when the arguments cannot be read: what is wrong.
  std::string error;
};

// Reads the arguments after "import":
//   --connection NAME (--sql TEXT | --sql-file FILE) [--cell ADDRESS | --new-workbook]
//   [--headers] [--format SCHEME] [--autofilter] [--embed NAME] [--workbook BOOK.xlsx]
//   --output OUT.xlsx
// Every option at most once; OUT and BOOK end in .xlsx (any letter case).
ImportArguments parseImportArguments(const std::vector<std::string>& arguments);

// The usage line printed with an error.
const char* importUsage();

}  // namespace tavrello::host
