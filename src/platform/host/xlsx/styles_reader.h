#pragma once

#include <cstdint>
#include <vector>

#include <pugixml.hpp>

namespace tavrello::host {
class StyleTable;
}

namespace tavrello::host::xlsx {

class ColorReader;

// Reads a styles part (its root, styleSheet) into the workbook's style
// table and returns, for each cell format (xf) of the file, the index of
// the equal style in the table: a cell's s attribute looks it up there.
// What the host shows is kept (number formats, the built-in ones by their
// codes; font name, size, bold, italic, underline and colour; solid fills;
// the four borders; horizontal and vertical alignment and wrapping); the
// rest reads as the nearest the host has. References to fonts, fills,
// borders or formats that the part lacks read as the defaults.
std::vector<std::uint32_t> readStyles(const pugi::xml_node& styleSheet, const ColorReader& colors, StyleTable& styles);

// The format code of a built-in number format id; "General" for ids the
// file format leaves to the locale.
const char* builtinNumberFormat(long long id);

}  // namespace tavrello::host::xlsx
