#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/workbook.h"
#include "platform/host/workbook/grid.h"
#include "platform/host/workbook/string_pool.h"
#include "platform/host/workbook/style_table.h"

namespace tavrello::host {

class Sheet;
class WorkbookApplication;

// One open workbook of the workbook host: its sheets, and the texts and
// formats its cells share. Besides the object model it offers the model to
// the host's own parts (file writer, window).
class Book : public Workbook, public std::enable_shared_from_this<Book> {
 public:
  Book(std::weak_ptr<WorkbookApplication> application, std::string name, GridSize grid);

  std::string Name() const override;
  std::shared_ptr<host::Worksheets> Worksheets() override;
  std::shared_ptr<Worksheet> ActiveSheet() override;
  void Activate() override;
  std::string FullName() const override;
  void SaveAs(const std::string& Filename) override;
  void Save() override;

  // The workbook's file; empty until it is saved or when it was never opened
  // from one.
  const std::filesystem::path& path() const { return path_; }
  // Saves to `path` (an .xlsx file) and makes it the workbook's file, as
  // SaveAs does, but hands the warnings back instead of showing them.
  std::vector<std::string> saveTo(const std::filesystem::path& path);
  // Parts of the file the workbook was opened from that it does not keep
  // (charts, pivot tables, macros); a save warns that they are lost.
  const std::vector<std::string>& unkeptParts() const { return unkeptParts_; }
  void setFile(std::filesystem::path path, std::vector<std::string> unkeptParts);

  // The application that opened the book; 1004 once it is gone.
  std::shared_ptr<WorkbookApplication> application() const;
  const GridSize& grid() const { return grid_; }

  StringPool& strings() { return strings_; }
  const StringPool& strings() const { return strings_; }
  StyleTable& styles() { return styles_; }
  const StyleTable& styles() const { return styles_; }

  const std::vector<std::shared_ptr<Sheet>>& sheets() const { return sheets_; }
  // Adds "SheetN" (the lowest N not taken) at the end; it does not become active.
  std::shared_ptr<Sheet> addSheet();
  std::shared_ptr<Sheet> activeSheet() const;
  void activateSheet(const Sheet& sheet);
  // 1-based position of the sheet; 0 when it is not in this book.
  std::int32_t sheetIndex(const Sheet& sheet) const;
  // The sheet of that name (letter case ignored), or nullptr.
  std::shared_ptr<Sheet> findSheet(const std::string& name) const;

 private:
  std::weak_ptr<WorkbookApplication> application_;
  std::string name_;
  std::filesystem::path path_;
  std::vector<std::string> unkeptParts_;
  GridSize grid_;
  StringPool strings_;
  StyleTable styles_;
  std::vector<std::shared_ptr<Sheet>> sheets_;
  std::size_t activeSheet_ = 0;
};

}  // namespace tavrello::host
