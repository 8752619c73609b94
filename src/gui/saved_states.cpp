#include "gui/saved_states.h"

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"

namespace tavrello::gui {

std::vector<SavedStates::SheetState> SavedStates::stateOf(const host::Book& book) {
  std::vector<SheetState> state;
  for (const auto& sheet : book.sheets()) {
    SheetState entry;
    entry.sheet = sheet.get();
    entry.name = sheet->name();
    entry.revision = sheet->cells().revision();
    entry.widths = sheet->columnWidths();
    entry.autoFilter = sheet->autoFilter();
    for (const auto& name : sheet->definedNames()) entry.names.emplace_back(name.name, name.rect);
    entry.queryTables = sheet->queryTables().size();
    state.push_back(std::move(entry));
  }
  return state;
}

void SavedStates::markSaved(const host::Book& book) { saved_[&book] = stateOf(book); }

void SavedStates::forget(const host::Book& book) { saved_.erase(&book); }

bool SavedStates::hasUnsavedChanges(const host::Book& book) const {
  const std::vector<SheetState> now = stateOf(book);
  const auto saved = saved_.find(&book);
  if (saved != saved_.end()) return now != saved->second;
  // Never saved: changed unless it is still what a new workbook is, one
  // sheet that nothing was done to.
  if (now.size() != 1) return true;
  const SheetState& only = now.front();
  return only.name != "Sheet1" || only.revision != 0 || !only.widths.empty() || only.autoFilter || !only.names.empty() ||
         only.queryTables != 0;
}

}  // namespace tavrello::gui
