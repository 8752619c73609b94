#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace tavrello {

// The folder the statement file dialogs start in: "sql" in the data folder.
// It is never created. Empty when there is no data folder.
std::string statementFolder();

// The largest statement file the query window opens.
inline constexpr std::size_t kMaxStatementFileBytes = 16u << 20;

// The whole file as text: UTF-8 as it is (a leading byte-order mark
// dropped), anything else read as Windows-1252, the code page of files
// written on the add-in's original platform. Line ends are kept. Only a
// regular file of at most kMaxStatementFileBytes is read; otherwise, and when
// it cannot be read, throws Failure.
std::string readStatementFile(const std::filesystem::path& path);

// Replaces the file with the text as UTF-8 (no byte-order mark) followed by
// one CR LF. The old file stays whole when the write fails; an existing
// file keeps its permissions, and a symbolic link keeps pointing at the file
// it names. Throws Failure.
void writeStatementFile(const std::filesystem::path& path, const std::string& text);

}  // namespace tavrello
