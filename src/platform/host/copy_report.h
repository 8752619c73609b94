#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrello::host {

// What placing database values into cells had to change, so that every
// value fits a cell and no cell shows a wrong value: the host never loses a
// value silently, it says what it changed.
enum class CellChange {
  // Text longer than the 32,767 characters a cell holds, cut to that length.
  TextCut,
  // A number of more than 15 significant digits (more than a spreadsheet
  // keeps), or one that is not finite: kept as its text, so no digit is lost.
  NumberAsText,
  // Binary data, which no cell holds: the cell is left blank.
  BinaryLeftBlank,
  // A date or date-time before 1 March 1900: spreadsheet programs show no
  // date before 1900 and count January and February 1900 a day off, so it is
  // kept as its ISO text ("1899-07-14").
  DateAsText,
};

// One field and one kind of change, with the number of cells it touched.
struct ColumnChange {
  std::string field;
  CellChange change = CellChange::TextCut;
  std::int64_t cells = 0;

  bool operator==(const ColumnChange&) const = default;

  // The change as the user is told it:
  //   Column "note": 2 texts longer than 32,767 characters were cut to that length.
  std::string toString() const {
    const bool one = cells == 1;
    const std::string count = std::to_string(cells) + " ";
    const char* verb = one ? " was" : " were";
    std::string what;
    switch (change) {
      case CellChange::TextCut:
        what = count + (one ? "text" : "texts") + " longer than 32,767 characters" + verb + " cut to that length.";
        break;
      case CellChange::NumberAsText:
        what = count + (one ? "number" : "numbers") + " with more than 15 significant digits, or not finite," +
               verb + " kept as text so that no digit is lost.";
        break;
      case CellChange::BinaryLeftBlank:
        what = count + (one ? "binary value" : "binary values") + verb + " left blank: a cell cannot hold binary data.";
        break;
      case CellChange::DateAsText:
        what = count + (one ? "date" : "dates") + " before 1 March 1900" + verb +
               " kept as text, as spreadsheets cannot show them as dates.";
        break;
    }
    return "Column \"" + field + "\": " + what;
  }
};

// Everything one copy changed, in field order and, for one field, in the
// order of CellChange. A copy that changed nothing has no entry.
struct CopyReport {
  std::vector<ColumnChange> changes;

  bool empty() const { return changes.empty(); }
};

}  // namespace tavrello::host
