#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tavrello::host {
class Book;
}

namespace tavrello::host::xlsx {

class OutputDevice;

// What a save has to tell the user besides success.
struct SaveReport {
  std::vector<std::string> warnings;
};

// Writes the workbook as an .xlsx package (docs/xlsx-format.md) to `device`:
// every sheet with its cells, formats, column widths and auto filter, the
// shared strings and styles, and each linked query table with its
// connection. Sheets stream to the device; nothing is written twice. Throws
// tavrello::Failure when the device or the compressor fails; the device then
// holds an incomplete package.
SaveReport writeBook(const Book& book, OutputDevice& device);

// Writes the workbook to `path` atomically: into a new file in the same
// folder, which replaces `path` only when it is complete and on disk. A save
// that fails or is interrupted leaves the file that was there whole, removes
// its own temporary file, and throws a Failure (the file error's number, or
// the writer's) whose description names the file, says why and that the old
// file is unchanged.
SaveReport saveBook(const Book& book, const std::filesystem::path& path);

}  // namespace tavrello::host::xlsx
