#include "platform/host/workbook/auto_format.h"

#include <optional>
#include <unordered_map>

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/column_fit.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/style_table.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

// The look of one part of a design: the heading row, the first column of the
// body, and the body's plain and banded rows.
struct DesignPart {
  std::optional<Rgb> fill;       // nothing: no fill
  std::optional<Rgb> fontColor;  // nothing: the automatic colour
  bool bold = false;
  bool italic = false;
  BorderEdge top;
  BorderEdge bottom;
  HorizontalAlignment horizontal = HorizontalAlignment::General;
};

struct Design {
  DesignPart heading;
  DesignPart body;
  DesignPart band;  // every second body row
  std::optional<DesignPart> firstColumn;
};

constexpr BorderEdge thin(Rgb color) { return {BorderLine::Thin, color}; }

// The four designs the add-in's formatting schemes name. The host keeps the
// look of each design's published description: a heading row set off from
// the body, and its body colours.
std::optional<Design> designFor(int format) {
  switch (format) {
    case RangeAutoFormat::Color1: {
      // Colorful 1: white bold italic headings on black; the first column
      // white bold italic on blue; light turquoise on dark turquoise, with
      // turquoise lines between the rows.
      DesignPart body{0x008080, 0xCCFFFF, false, false, {}, thin(0x00FFFF), HorizontalAlignment::General};
      DesignPart firstColumn{0x000080, 0xFFFFFF, true, true, {}, thin(0x00FFFF), HorizontalAlignment::General};
      return Design{{0x000000, 0xFFFFFF, true, true, {}, thin(0x00FFFF), HorizontalAlignment::Center},
                    body, body, firstColumn};
    }
    case RangeAutoFormat::Color3: {
      // Colorful 3: white bold headings on black over a grey body with white
      // lines between the rows.
      DesignPart body{0xC0C0C0, 0x000000, false, false, {}, thin(0xFFFFFF), HorizontalAlignment::General};
      return Design{{0x000000, 0xFFFFFF, true, false, {}, {BorderLine::Medium, 0x000000}, HorizontalAlignment::Center},
                    body, body, std::nullopt};
    }
    case RangeAutoFormat::List1: {
      // List 1: white bold headings on grey; body rows banded grey and white.
      DesignPart body{std::nullopt, std::nullopt, false, false, {}, {}, HorizontalAlignment::General};
      DesignPart band{0xDDDDDD, std::nullopt, false, false, {}, {}, HorizontalAlignment::General};
      return Design{{0x808080, 0xFFFFFF, true, false, {}, thin(0x000000), HorizontalAlignment::Center},
                    body, band, std::nullopt};
    }
    case RangeAutoFormat::List2: {
      // List 2: white bold headings on green; body rows banded light green
      // and white.
      DesignPart body{std::nullopt, std::nullopt, false, false, {}, {}, HorizontalAlignment::General};
      DesignPart band{0xCCFFCC, std::nullopt, false, false, {}, {}, HorizontalAlignment::General};
      return Design{{0x008000, 0xFFFFFF, true, false, {}, thin(0x008000), HorizontalAlignment::Center},
                    body, band, std::nullopt};
    }
    default:
      return std::nullopt;
  }
}

// Applies one design part to cell styles, remembering each answer.
class PartStyler {
 public:
  PartStyler(StyleTable& styles, const DesignPart& part, const AutoFormatOptions& options)
      : styles_(styles), part_(part), options_(options) {}

  std::uint32_t operator()(std::uint32_t style) {
    auto found = done_.find(style);
    if (found != done_.end()) return found->second;
    CellStyle changed = styles_.style(style);
    if (options_.Font) {
      FontStyle font = styles_.font(changed.font);
      font.bold = part_.bold;
      font.italic = part_.italic;
      font.color = part_.fontColor;
      changed.font = styles_.addFont(font);
    }
    if (options_.Pattern) {
      FillStyle fill;
      if (part_.fill) fill = {FillPattern::Solid, *part_.fill};
      changed.fill = styles_.addFill(fill);
    }
    if (options_.Border) {
      BorderStyle border;
      border.top = part_.top;
      border.bottom = part_.bottom;
      changed.border = styles_.addBorder(border);
    }
    if (options_.Alignment) changed.alignment.horizontal = part_.horizontal;
    // These designs carry no number format of their own, so Number keeps
    // the cells' formats (dates stay dates).
    std::uint32_t result = styles_.addStyle(changed);
    done_.emplace(style, result);
    return result;
  }

 private:
  StyleTable& styles_;
  const DesignPart& part_;
  const AutoFormatOptions& options_;
  std::unordered_map<std::uint32_t, std::uint32_t> done_;
};

}  // namespace

void applyAutoFormat(Sheet& sheet, const CellRect& rect, const AutoFormatOptions& options) {
  std::optional<Design> design = designFor(options.Format);
  if (!design)
    throw Failure::host("AutoFormat: this host has no table design number " + std::to_string(options.Format) +
                        " (it offers 7, 9, 10 and 11).");
  StyleTable& styles = sheet.book()->styles();
  PartStyler heading(styles, design->heading, options);
  PartStyler body(styles, design->body, options);
  PartStyler band(styles, design->band, options);
  std::optional<PartStyler> firstColumn;
  if (design->firstColumn) firstColumn.emplace(styles, *design->firstColumn, options);
  for (std::int32_t column = rect.left; column <= rect.right; ++column) {
    bool first = column == rect.left && firstColumn;
    sheet.cells().fillColumn(column, rect.top, rect.rows(), [&](std::int32_t row, Cell& cell) {
      if (row == rect.top) cell.setStyle(heading(cell.style()));
      else if (first) cell.setStyle((*firstColumn)(cell.style()));
      else if ((row - rect.top) % 2 == 0) cell.setStyle(band(cell.style()));
      else cell.setStyle(body(cell.style()));
    });
  }
  if (options.Width) fitColumns(sheet, rect);
  // A query table formatted as a whole keeps its design in the file.
  for (const auto& table : sheet.queryTables()) {
    const CellRect block = table->footprint();
    if (rect.contains(block.top, block.left) && rect.contains(block.bottom, block.right)) table->autoFormat(options);
  }
}

}  // namespace tavrello::host
