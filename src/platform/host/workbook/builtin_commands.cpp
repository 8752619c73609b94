#include "platform/host/workbook/builtin_commands.h"

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"

namespace tavrello::host {

namespace {

std::shared_ptr<Sheet> activeSheetOf(WorkbookApplication& app) {
  auto book = app.activeBook();
  return book ? book->activeSheet() : nullptr;
}

// Bold, italic, underline: switched for the whole selection after its
// top-left cell, as the host's formatting buttons do.
template <bool FontStyle::*Flag>
void toggleFont(WorkbookApplication& app) {
  auto sheet = activeSheetOf(app);
  if (!sheet) return;
  StyleTable& styles = sheet->book()->styles();
  const CellRect& selection = sheet->selection();
  const Cell* first = sheet->cells().find(selection.top, selection.left);
  bool on = !(styles.font(styles.style(first ? first->style() : 0).font).*Flag);
  for (std::int32_t column = selection.left; column <= selection.right; ++column) {
    sheet->cells().fillColumn(column, selection.top, selection.rows(), [&](std::int32_t, Cell& cell) {
      CellStyle style = styles.style(cell.style());
      FontStyle font = styles.font(style.font);
      font.*Flag = on;
      style.font = styles.addFont(font);
      cell.setStyle(styles.addStyle(style));
    });
  }
}

void newWorkbook(WorkbookApplication& app) { app.addBook(); }

void insertWorksheet(WorkbookApplication& app) {
  if (auto book = app.activeBook()) book->activateSheet(*book->addSheet());
}

void autoFilter(WorkbookApplication& app) {
  if (auto sheet = activeSheetOf(app)) sheet->toggleAutoFilter(sheet->selection());
}

}  // namespace

const std::vector<std::string_view>& builtInBarNames() {
  static const std::vector<std::string_view> names{"Worksheet Menu Bar", "Standard", "Formatting"};
  return names;
}

const std::vector<BuiltInCommand>& builtInCommands() {
  static const std::vector<BuiltInCommand> commands{
      {852, "&Worksheet", 852, "Worksheet Menu Bar", insertWorksheet},
      {899, "Auto&Filter", 899, "Worksheet Menu Bar", autoFilter},
      {2520, "&New", 2520, "Standard", newWorkbook},
      {113, "&Bold", 113, "Formatting", toggleFont<&FontStyle::bold>},
      {114, "&Italic", 114, "Formatting", toggleFont<&FontStyle::italic>},
      {115, "&Underline", 115, "Formatting", toggleFont<&FontStyle::underline>},
  };
  return commands;
}

const BuiltInCommand* findBuiltInCommand(int id) {
  for (const auto& command : builtInCommands()) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

}  // namespace tavrello::host
