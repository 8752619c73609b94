#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavrello::host {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

struct FontStyle {
  std::string name = "Calibri";
  double size = 11;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::optional<Rgb> color;  // nothing: the automatic colour
  bool operator==(const FontStyle&) const = default;
};

enum class FillPattern : std::uint8_t { None, Solid };

struct FillStyle {
  FillPattern pattern = FillPattern::None;
  Rgb color = 0xFFFFFF;
  bool operator==(const FillStyle&) const = default;
};

enum class BorderLine : std::uint8_t { None, Thin, Medium, Thick, Double, Hair, Dotted, Dashed };

struct BorderEdge {
  BorderLine line = BorderLine::None;
  std::optional<Rgb> color;  // nothing: the automatic colour
  bool operator==(const BorderEdge&) const = default;
};

struct BorderStyle {
  BorderEdge left, right, top, bottom;
  bool operator==(const BorderStyle&) const = default;
};

enum class HorizontalAlignment : std::uint8_t { General, Left, Center, Right };
enum class VerticalAlignment : std::uint8_t { Bottom, Center, Top };

struct AlignmentStyle {
  HorizontalAlignment horizontal = HorizontalAlignment::General;
  VerticalAlignment vertical = VerticalAlignment::Bottom;
  bool wrapText = false;
  bool operator==(const AlignmentStyle&) const = default;
};

// A number format: the code shown to the user and the id the file format
// gives it (0 to 163 built in, 164 on for a workbook's own codes).
struct NumberFormat {
  std::uint32_t id = 0;
  std::string code = "General";
  bool isDate = false;  // the code shows a date, a time or both
};

// One cell format: indexes into the tables below, and the alignment.
struct CellStyle {
  std::uint32_t numberFormat = 0;
  std::uint32_t font = 0;
  std::uint32_t fill = 0;
  std::uint32_t border = 0;
  AlignmentStyle alignment;
  bool operator==(const CellStyle&) const = default;
};

struct CellStyleHash {
  std::size_t operator()(const CellStyle& style) const;
};

// The formats of one workbook. Cells refer to a CellStyle by index; index 0
// of every table is the default (General, Calibri 11, no fill, no border),
// which is what a new cell has. Equal entries are kept once.
class StyleTable {
 public:
  StyleTable();

  std::uint32_t addFont(const FontStyle& font);
  std::uint32_t addFill(const FillStyle& fill);
  std::uint32_t addBorder(const BorderStyle& border);
  // Fails (1004) past Cell::kStyleLimit styles, more than a cell can name.
  std::uint32_t addStyle(const CellStyle& style);

  // The index of a number format code, adding it (with the next free id of
  // the workbook's own) when new. "General" is index 0.
  std::uint32_t addNumberFormat(std::string_view code);

  const FontStyle& font(std::uint32_t index) const { return fonts_[index]; }
  const FillStyle& fill(std::uint32_t index) const { return fills_[index]; }
  const BorderStyle& border(std::uint32_t index) const { return borders_[index]; }
  const NumberFormat& numberFormat(std::uint32_t index) const { return numberFormats_[index]; }
  const CellStyle& style(std::uint32_t index) const { return styles_[index]; }

  std::size_t fontCount() const { return fonts_.size(); }
  std::size_t fillCount() const { return fills_.size(); }
  std::size_t borderCount() const { return borders_.size(); }
  std::size_t numberFormatCount() const { return numberFormats_.size(); }
  std::size_t styleCount() const { return styles_.size(); }

  // Whether cells of this style show their number as a date or time.
  bool isDateStyle(std::uint32_t style) const { return numberFormats_[styles_[style].numberFormat].isDate; }

  // The style `style` with its number format replaced.
  std::uint32_t withNumberFormat(std::uint32_t style, std::uint32_t numberFormat);

 private:
  std::vector<FontStyle> fonts_;
  std::vector<FillStyle> fills_;
  std::vector<BorderStyle> borders_;
  std::vector<NumberFormat> numberFormats_;
  std::vector<CellStyle> styles_;
  // A file may define tens of thousands of cell formats: found by hash, not
  // by a scan per format read.
  std::unordered_map<CellStyle, std::uint32_t, CellStyleHash> styleIndex_;
  std::uint32_t nextFormatId_ = 164;
};

// The number format codes this host gives dates, times and date-times.
namespace number_format {
inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kDate = "yyyy-mm-dd";
inline constexpr std::string_view kTime = "hh:mm:ss";
inline constexpr std::string_view kDateTime = "yyyy-mm-dd hh:mm:ss";
}  // namespace number_format

// Whether a number format code shows a date or time: it has one of the
// letters y, m, d, h or s outside quoted text, escapes and colour or locale
// brackets.
bool isDateFormatCode(std::string_view code);

}  // namespace tavrello::host
