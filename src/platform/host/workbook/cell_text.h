#pragma once

#include <string>
#include <string_view>

#include "platform/host/workbook/cell.h"
#include "platform/host/workbook/string_pool.h"
#include "platform/host/workbook/style_table.h"

namespace tavrello::host {

// A number as the General format shows it: at most 11 characters, switching
// to the scientific form for very large or small numbers.
std::string generalNumberText(double value);

// A serial as a date/time number format code shows it (years, months, days,
// hours, minutes and seconds; other characters as they are).
std::string dateText(double serial, std::string_view code);

// The text a cell shows; empty for an empty cell.
std::string displayText(const Cell& cell, const StyleTable& styles, const StringPool& strings);

// The width of a text in characters of the default font: wide (East Asian)
// characters count two.
double textWidthInCharacters(std::string_view utf8);

}  // namespace tavrello::host
