#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/workbook/grid.h"

namespace tavrello::host {
class Book;
class Sheet;
}  // namespace tavrello::host

namespace tavrello::gui {

// What each open workbook looked like when it was last saved, to tell
// whether closing it would lose changes. A workbook is compared sheet by
// sheet: the same sheets, names, column widths, auto filter, names and
// query tables, and no cell written since (the cell store's revision). A
// workbook never saved counts as changed once anything is in it that a new
// workbook does not have.
class SavedStates {
 public:
  // The workbook is as its file has it now (saved, or opened).
  void markSaved(const host::Book& book);

  // The workbook has closed: its record goes.
  void forget(const host::Book& book);

  bool hasUnsavedChanges(const host::Book& book) const;

 private:
  struct SheetState {
    const host::Sheet* sheet = nullptr;
    std::string name;
    std::uint64_t revision = 0;
    std::map<std::int32_t, double> widths;
    std::optional<host::CellRect> autoFilter;
    std::vector<std::pair<std::string, host::CellRect>> names;
    std::size_t queryTables = 0;
    bool operator==(const SheetState&) const = default;
  };

  static std::vector<SheetState> stateOf(const host::Book& book);

  std::map<const host::Book*, std::vector<SheetState>> saved_;
};

}  // namespace tavrello::gui
