#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/xlsx/read_limits.h"

namespace tavrello::host {
class Book;
class WorkbookApplication;
}  // namespace tavrello::host

namespace tavrello::host::xlsx {

// Reads an .xlsx workbook (this host's own and other spreadsheet programs')
// into a new Book of `app`, which the caller then adds to the open
// workbooks: its sheets with cells, formats, column widths, selections and
// auto filters; the names of each sheet; the linked query tables with their
// connections. Parts and features the host does not keep (charts, pivot
// tables, macros, formulas, merged cells, ...) are listed in the book's
// unkeptParts(), which the open shows and a save repeats. The file is
// untrusted input and is held to `limits`; anything wrong with it fails
// with a tavrello::Failure naming the file and saying what is wrong (file
// errors with their numbers, everything else 1004), and no book is made.
std::shared_ptr<Book> readBook(WorkbookApplication& app, const std::filesystem::path& file,
                               const ReadLimits& limits = {});

}  // namespace tavrello::host::xlsx
