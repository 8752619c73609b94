#include "platform/host/xlsx/styles_reader.h"

#include <map>
#include <string>

#include "platform/host/workbook/style_table.h"
#include "platform/host/xlsx/color_reader.h"
#include "platform/host/xlsx/xml_text.h"
#include "platform/host/xlsx/xml_tree.h"
#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

namespace {

// A boolean property element (<b/>, <b val="0"/>): on unless val says off.
bool propertyOn(const pugi::xml_node& node, std::string_view name) {
  pugi::xml_node property = child(node, name);
  return property && boolAttribute(property, "val", true);
}

FontStyle readFont(const pugi::xml_node& node, const ColorReader& colors) {
  FontStyle font;
  if (pugi::xml_node name = child(node, "name")) font.name = attribute(name, "val").value();
  if (font.name.empty()) font.name = "Calibri";
  if (pugi::xml_node size = child(node, "sz")) {
    double value = attribute(size, "val").as_double(11);
    if (value >= 1 && value <= 409) font.size = value;
  }
  font.bold = propertyOn(node, "b");
  font.italic = propertyOn(node, "i");
  if (pugi::xml_node underline = child(node, "u"))
    font.underline = std::string_view(attribute(underline, "val").value()) != "none";
  font.color = colors.read(child(node, "color"));
  return font;
}

FillStyle readFill(const pugi::xml_node& node, const ColorReader& colors) {
  FillStyle fill;
  pugi::xml_node pattern = child(node, "patternFill");
  std::string_view type = attribute(pattern, "patternType").value();
  // The host draws solid fills; a patterned one shows its foreground colour,
  // the faint grey patterns (and no pattern) none.
  if (!pattern || type.empty() || type == "none" || type == "gray125" || type == "gray0625") return fill;
  std::optional<Rgb> color = colors.read(child(pattern, "fgColor"));
  if (!color) color = colors.read(child(pattern, "bgColor"));
  if (!color) return fill;
  fill.pattern = FillPattern::Solid;
  fill.color = *color;
  return fill;
}

BorderLine lineOf(std::string_view style) {
  if (style == "thin") return BorderLine::Thin;
  if (style == "medium") return BorderLine::Medium;
  if (style == "thick") return BorderLine::Thick;
  if (style == "double") return BorderLine::Double;
  if (style == "hair") return BorderLine::Hair;
  if (style == "dotted") return BorderLine::Dotted;
  if (style.find("ash") != std::string_view::npos) return BorderLine::Dashed;  // dashed, dashDot, mediumDashed, ...
  return BorderLine::None;
}

BorderEdge readEdge(const pugi::xml_node& border, std::string_view side, std::string_view alternative,
                    const ColorReader& colors) {
  pugi::xml_node edge = child(border, side);
  if (!edge) edge = child(border, alternative);
  BorderEdge result;
  result.line = lineOf(attribute(edge, "style").value());
  if (result.line != BorderLine::None) result.color = colors.read(child(edge, "color"));
  return result;
}

BorderStyle readBorder(const pugi::xml_node& node, const ColorReader& colors) {
  BorderStyle border;
  border.left = readEdge(node, "left", "start", colors);
  border.right = readEdge(node, "right", "end", colors);
  border.top = readEdge(node, "top", "top", colors);
  border.bottom = readEdge(node, "bottom", "bottom", colors);
  return border;
}

AlignmentStyle readAlignment(const pugi::xml_node& xf) {
  AlignmentStyle alignment;
  pugi::xml_node node = child(xf, "alignment");
  if (!node) return alignment;
  std::string_view horizontal = attribute(node, "horizontal").value();
  if (horizontal == "left" || horizontal == "fill" || horizontal == "justify") alignment.horizontal = HorizontalAlignment::Left;
  else if (horizontal == "center" || horizontal == "centerContinuous" || horizontal == "distributed")
    alignment.horizontal = HorizontalAlignment::Center;
  else if (horizontal == "right") alignment.horizontal = HorizontalAlignment::Right;
  std::string_view vertical = attribute(node, "vertical").value();
  if (vertical == "top" || vertical == "justify") alignment.vertical = VerticalAlignment::Top;
  else if (vertical == "center" || vertical == "distributed") alignment.vertical = VerticalAlignment::Center;
  alignment.wrapText = boolAttribute(node, "wrapText", false);
  return alignment;
}

// The style table finds equal entries by looking through all it has, so a
// part with hundreds of thousands of entries would take hours: lists are
// held to what spreadsheet programs themselves allow.
constexpr std::size_t kMaxEntries = 4096;
constexpr std::size_t kMaxCellFormats = 64000;

[[noreturn]] void tooMany(std::string_view what, std::size_t limit) {
  throw Failure::host("The workbook's styles cannot be read: they define more than " + std::to_string(limit) + " " +
                      std::string(what) + ".");
}

template <class Read>
std::vector<std::uint32_t> readList(const pugi::xml_node& list, std::string_view item, Read&& read) {
  std::vector<std::uint32_t> indexes;
  for (pugi::xml_node node : list.children()) {
    if (!isNamed(node, item)) continue;
    if (indexes.size() == kMaxEntries) tooMany(std::string(item) + "s", kMaxEntries);
    indexes.push_back(read(node));
  }
  return indexes;
}

std::uint32_t pick(const std::vector<std::uint32_t>& indexes, long long index) {
  return index >= 0 && static_cast<std::size_t>(index) < indexes.size() ? indexes[static_cast<std::size_t>(index)] : 0;
}

}  // namespace

const char* builtinNumberFormat(long long id) {
  static const std::map<long long, const char*> formats = {
      {0, "General"},       {1, "0"},           {2, "0.00"},           {3, "#,##0"},
      {4, "#,##0.00"},      {9, "0%"},          {10, "0.00%"},         {11, "0.00E+00"},
      {12, "# ?/?"},        {13, "# ?\?/??"},   {14, "mm-dd-yy"},      {15, "d-mmm-yy"},
      {16, "d-mmm"},        {17, "mmm-yy"},     {18, "h:mm AM/PM"},    {19, "h:mm:ss AM/PM"},
      {20, "h:mm"},         {21, "h:mm:ss"},    {22, "m/d/yy h:mm"},   {37, "#,##0 ;(#,##0)"},
      {38, "#,##0 ;[Red](#,##0)"}, {39, "#,##0.00;(#,##0.00)"}, {40, "#,##0.00;[Red](#,##0.00)"},
      {45, "mm:ss"},        {46, "[h]:mm:ss"},  {47, "mmss.0"},        {48, "##0.0E+0"},
      {49, "@"}};
  auto it = formats.find(id);
  return it == formats.end() ? "General" : it->second;
}

std::vector<std::uint32_t> readStyles(const pugi::xml_node& styleSheet, const ColorReader& colors, StyleTable& styles) {
  std::map<long long, std::uint32_t> formats;
  for (pugi::xml_node node : child(styleSheet, "numFmts").children()) {
    if (!isNamed(node, "numFmt")) continue;
    if (formats.size() == kMaxEntries) tooMany("number formats", kMaxEntries);
    long long id = numberAttribute(node, "numFmtId", -1);
    std::string code = decodeEscapes(attribute(node, "formatCode").value());
    if (id >= 0 && !code.empty()) formats[id] = styles.addNumberFormat(code);
  }
  auto format = [&](long long id) {
    auto it = formats.find(id);
    if (it != formats.end()) return it->second;
    return formats[id] = styles.addNumberFormat(builtinNumberFormat(id));
  };
  auto fonts = readList(child(styleSheet, "fonts"), "font",
                                   [&](const pugi::xml_node& n) { return styles.addFont(readFont(n, colors)); });
  auto fills = readList(child(styleSheet, "fills"), "fill",
                                   [&](const pugi::xml_node& n) { return styles.addFill(readFill(n, colors)); });
  auto borders = readList(child(styleSheet, "borders"), "border",
                                       [&](const pugi::xml_node& n) { return styles.addBorder(readBorder(n, colors)); });
  std::vector<std::uint32_t> cellStyles;
  for (pugi::xml_node xf : child(styleSheet, "cellXfs").children()) {
    if (!isNamed(xf, "xf")) continue;
    if (cellStyles.size() == kMaxCellFormats) tooMany("cell formats", kMaxCellFormats);
    CellStyle style;
    style.numberFormat = format(numberAttribute(xf, "numFmtId", 0));
    style.font = pick(fonts, numberAttribute(xf, "fontId", 0));
    style.fill = pick(fills, numberAttribute(xf, "fillId", 0));
    style.border = pick(borders, numberAttribute(xf, "borderId", 0));
    style.alignment = readAlignment(xf);
    cellStyles.push_back(styles.addStyle(style));
  }
  return cellStyles;
}

}  // namespace tavrello::host::xlsx
