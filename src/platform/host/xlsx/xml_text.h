#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrello::host::xlsx {

// Where a text goes in the XML: element content, or an attribute value
// (whose line breaks and tabs a parser would turn into blanks).
enum class XmlContext { Text, Attribute };

// Whether `text` can be written as it stands: ASCII without markup
// characters, controls or anything that reads as an _xHHHH_ escape.
bool isPlainXml(std::string_view text, XmlContext context);

// Appends `text` to `out` as the file format writes strings: &, <, > (and "
// in attributes) as entities; characters XML cannot carry (controls, and in
// attributes also tab, line feed and carriage return; a carriage return in
// element text too, which a parser would drop; U+FFFE and U+FFFF) as the
// format's _xhhhh_ escapes; a literal text that reads as such an escape with
// its underscore escaped (_x005F_, upper case as other readers expect it); bytes that are not UTF-8 as U+FFFD.
void appendXml(std::string& out, std::string_view text, XmlContext context);

// Undoes the _xhhhh_ escapes of a string read from a file (ST_Xstring).
std::string decodeEscapes(std::string_view text);

// The most characters (UTF-16 units, as spreadsheet programs count them) a
// cell holds.
inline constexpr std::size_t kCellTextLimit = 32767;

// `text` cut to the cell limit at a character boundary; `cut` says whether
// anything was removed.
std::string_view cutToCellLimit(std::string_view utf8, bool& cut);

}  // namespace tavrello::host::xlsx
