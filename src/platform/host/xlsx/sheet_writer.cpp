#include "platform/host/xlsx/sheet_writer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/cell_store.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/xlsx/package_names.h"
#include "platform/host/xlsx/part_writer.h"
#include "platform/host/xlsx/shared_strings_writer.h"

namespace tavrello::host::xlsx {

namespace {

// The cells of one band of rows, gathered from the column-wise store and
// put into row order.
struct BandCell {
  std::int32_t row;
  std::int32_t column;
  Cell cell;
};

class CellLetters {
 public:
  const std::string& operator()(std::int32_t column) {
    if (static_cast<std::size_t>(column) >= letters_.size()) letters_.resize(static_cast<std::size_t>(column) + 1);
    std::string& text = letters_[static_cast<std::size_t>(column)];
    if (text.empty()) text = columnLetters(column);
    return text;
  }

 private:
  std::vector<std::string> letters_;
};

void putRef(PartWriter& out, CellLetters& letters, std::int32_t row, std::int32_t column) {
  out.put(letters(column));
  out.putUnsigned(static_cast<std::uint64_t>(row));
}

void putArea(PartWriter& out, const CellRect& rect) {
  std::string a = columnLetters(rect.left) + std::to_string(rect.top);
  out.put(a);
  if (rect.top != rect.bottom || rect.left != rect.right) {
    out.put(':');
    out.put(columnLetters(rect.right) + std::to_string(rect.bottom));
  }
}

// A cell that follows the one before it in its row (or starts the row in
// column A) goes without its reference, which every reader then counts on:
// a quarter of the sheet's text saved.
void putCell(PartWriter& out, CellLetters& letters, SharedStringsWriter& strings, const BandCell& entry,
             bool placedByOrder) {
  const Cell& cell = entry.cell;
  if (placedByOrder) {
    out.put("<c");
  } else {
    out.put("<c r=\"");
    putRef(out, letters, entry.row, entry.column);
    out.put('"');
  }
  if (cell.style() != 0) {
    out.put(" s=\"");
    out.putUnsigned(cell.style());
    out.put('"');
  }
  switch (cell.kind()) {
    case CellKind::Empty:
      out.put("/>");
      return;
    case CellKind::Number:
      if (std::isfinite(cell.number())) {
        out.put("><v>");
        out.putNumber(cell.number());
      } else {
        // No cell holds an infinity or a NaN; the spreadsheet shows #NUM!.
        out.put(" t=\"e\"><v>#NUM!");
      }
      break;
    case CellKind::Text:
      out.put(" t=\"s\"><v>");
      out.putUnsigned(strings.indexOf(cell.textIndex()));
      break;
    case CellKind::Boolean:
      out.put(cell.boolean() ? " t=\"b\"><v>1" : " t=\"b\"><v>0");
      break;
    case CellKind::Error:
      out.put(" t=\"e\"><v>");
      out.put(errorText(cell.error()));
      break;
  }
  out.put("</v></c>");
}

void putColumns(PartWriter& out, const Sheet& sheet) {
  const auto& widths = sheet.columnWidths();
  if (widths.empty()) return;
  out.put("<cols>");
  auto it = widths.begin();
  while (it != widths.end()) {
    // Neighbouring columns of one width share a <col> element.
    auto last = it;
    auto next = std::next(it);
    while (next != widths.end() && next->first == last->first + 1 && next->second == it->second) last = next++;
    out.put("<col min=\"");
    out.putUnsigned(static_cast<std::uint64_t>(it->first));
    out.put("\" max=\"");
    out.putUnsigned(static_cast<std::uint64_t>(last->first));
    out.put("\" width=\"");
    out.putNumber(it->second);
    out.put("\" customWidth=\"1\"/>");
    it = next;
  }
  out.put("</cols>");
}

void putSheetView(PartWriter& out, const Sheet& sheet, bool tabSelected) {
  out.put("<sheetViews><sheetView");
  if (tabSelected) out.put(" tabSelected=\"1\"");
  out.put(" workbookViewId=\"0\">");
  const CellRect& selection = sheet.selection();
  if (selection != CellRect{}) {
    out.put("<selection activeCell=\"");
    putArea(out, CellRect::cell(selection.top, selection.left));
    out.put("\" sqref=\"");
    putArea(out, selection);
    out.put("\"/>");
  }
  out.put("</sheetView></sheetViews>");
}

bool isOmitted(const SheetWriteOptions& options, std::int32_t row, std::int32_t column) {
  for (const CellRect& rect : options.omitted) {
    if (rect.contains(row, column)) return true;
  }
  return false;
}

void putSheetData(PartWriter& out, const Sheet& sheet, SharedStringsWriter& strings, const SheetWriteOptions& options,
                  const CellRect& used) {
  out.put("<sheetData>");
  CellLetters letters;
  std::vector<BandCell> gathered;
  std::vector<BandCell> ordered;
  std::vector<std::uint32_t> perRow(CellStore::kChunkRows + 1);
  const CellStore& cells = sheet.cells();
  // Bands follow the store's chunks, so each chunk is read once.
  std::int32_t bandTop = (used.top - 1) / CellStore::kChunkRows * CellStore::kChunkRows + 1;
  for (; bandTop <= used.bottom; bandTop += CellStore::kChunkRows) {
    CellRect band{std::max(bandTop, used.top), used.left, std::min(bandTop + CellStore::kChunkRows - 1, used.bottom),
                  used.right};
    gathered.clear();
    cells.forEach(band, [&](std::int32_t row, std::int32_t column, const Cell& cell) {
      if (options.omitted.empty() || !isOmitted(options, row, column)) gathered.push_back({row, column, cell});
    });
    if (gathered.empty()) continue;
    // Counting sort by row; the store gives each row's cells in column order
    // already, and the sort keeps it.
    std::fill(perRow.begin(), perRow.end(), 0);
    for (const BandCell& entry : gathered) ++perRow[static_cast<std::size_t>(entry.row - bandTop) + 1];
    for (std::size_t i = 1; i < perRow.size(); ++i) perRow[i] += perRow[i - 1];
    ordered.resize(gathered.size());
    for (const BandCell& entry : gathered) ordered[perRow[static_cast<std::size_t>(entry.row - bandTop)]++] = entry;

    std::int32_t openRow = 0;
    std::int32_t lastColumn = 0;
    for (const BandCell& entry : ordered) {
      if (entry.row != openRow) {
        if (openRow != 0) out.put("</row>");
        out.put("<row r=\"");
        out.putUnsigned(static_cast<std::uint64_t>(entry.row));
        out.put("\">");
        openRow = entry.row;
        lastColumn = 0;
      }
      putCell(out, letters, strings, entry, entry.column == lastColumn + 1);
      lastColumn = entry.column;
    }
    out.put("</row>");
  }
  out.put("</sheetData>");
}

// The used range without the blocks whose cells are not saved.
bool savedRect(const Sheet& sheet, const SheetWriteOptions& options, CellRect& used) {
  bool any = false;
  CellRect saved;
  sheet.cells().forEach(used, [&](std::int32_t row, std::int32_t column, const Cell&) {
    if (isOmitted(options, row, column)) return;
    saved = any ? saved.united(CellRect::cell(row, column)) : CellRect::cell(row, column);
    any = true;
  });
  if (any) used = saved;
  return any;
}

}  // namespace

bool mayBeLarge(const Sheet& sheet) {
  CellRect used;
  if (!sheet.cells().usedRect(used)) return false;
  // A cell rarely takes more than 60 bytes of XML; beyond a few hundred
  // million bytes the zip64 fields cost nothing worth saving.
  return used.count() * 60 > (std::int64_t{1} << 31);
}

void writeSheet(PartWriter& out, const Sheet& sheet, SharedStringsWriter& strings, const SheetWriteOptions& options) {
  out.put(kXmlDeclaration);
  out.put("<worksheet xmlns=\"");
  out.put(ns::kMain);
  out.put("\" xmlns:r=\"");
  out.put(ns::kRelationships);
  out.put("\">");
  CellRect used;
  bool any = sheet.cells().usedRect(used);
  if (any && !options.omitted.empty()) any = savedRect(sheet, options, used);
  out.put("<dimension ref=\"");
  putArea(out, any ? used : CellRect{});
  out.put("\"/>");
  putSheetView(out, sheet, options.tabSelected);
  out.put("<sheetFormatPr defaultRowHeight=\"15\"/>");
  putColumns(out, sheet);
  if (any) putSheetData(out, sheet, strings, options, used);
  else out.put("<sheetData/>");
  if (const auto& filter = sheet.autoFilter()) {
    out.put("<autoFilter ref=\"");
    putArea(out, *filter);
    out.put("\"/>");
  }
  out.put("<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>");
  out.put("</worksheet>");
}

}  // namespace tavrello::host::xlsx
