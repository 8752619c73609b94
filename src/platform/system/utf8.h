#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// UTF-8, the one text encoding of this system, and the single-byte code page
// that files written on the add-in's original platform come in.
namespace tavrello::sys {

// Decodes the sequence at text[at] into `code`; returns its length, or 0 when
// it is not a valid, shortest-form sequence of a scalar value.
std::size_t decodeUtf8(std::string_view text, std::size_t at, std::uint32_t& code);

// Appends one code point as UTF-8.
void appendUtf8(std::string& out, std::uint32_t code);

// Whether all of `text` is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// `text` with each byte that begins no valid sequence replaced by U+FFFD, as
// the workbook writer writes it.
std::string replaceInvalidUtf8(std::string_view text);

// How many UTF-16 code units `text` is, the unit in which spreadsheets count
// the length of names and texts; a byte that begins no valid sequence counts
// as the one replacement character it is written as.
std::size_t utf16Length(std::string_view text);

// Reads bytes in the Windows-1252 code page as UTF-8 text. The five bytes that
// code page leaves undefined keep their C1 control code points, so no byte is
// lost.
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace tavrello::sys
