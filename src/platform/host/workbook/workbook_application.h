#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/application.h"
#include "platform/host/workbook/grid.h"

namespace tavrello::host {

class Book;
class HostCommandBars;

// The title of the workbook host's own messages.
inline constexpr const char* kHostTitle = "Tavrello Workbook Host";

// The workbook host's Application: its workbooks, the active one, and its
// command bars. Create it with create(); the host program keeps it for its
// lifetime and hands it to the add-ins.
class WorkbookApplication : public Application, public std::enable_shared_from_this<WorkbookApplication> {
  struct Private {
    explicit Private() = default;
  };

 public:
  // A host reporting `version` ("12.0" unless a test asks for another); its
  // grid follows the version (see gridForVersion). It starts with no
  // workbook open and with its built-in command bars.
  static std::shared_ptr<WorkbookApplication> create(std::string version = "12.0");
  WorkbookApplication(Private, std::string version);
  ~WorkbookApplication() override;

  std::string Version() const override;
  bool ScreenUpdating() const override;
  void ScreenUpdating(bool on) override;
  std::shared_ptr<host::Workbooks> Workbooks() override;
  std::shared_ptr<Workbook> ActiveWorkbook() override;
  std::shared_ptr<Worksheet> ActiveSheet() override;
  std::shared_ptr<host::Range> ActiveCell() override;
  std::shared_ptr<host::Range> Range(const std::string& address) override;
  std::shared_ptr<host::Range> Range(const std::shared_ptr<host::Range>& Cell1,
                                     const std::shared_ptr<host::Range>& Cell2) override;
  std::shared_ptr<host::Range> InputBox(const std::string& Prompt, const std::string& Title,
                                        const std::string& Default, int Type) override;
  std::shared_ptr<host::CommandBars> CommandBars() override;

  const GridSize& grid() const { return grid_; }
  const std::vector<std::shared_ptr<Book>>& books() const { return books_; }
  // Opens a new "BookN" with one sheet "Sheet1" and makes it active.
  std::shared_ptr<Book> addBook();
  // Reads an .xlsx file into a new book that becomes active (see
  // Workbooks.Open), without showing anything; the book's unkeptParts()
  // say what the file held that it does not keep.
  std::shared_ptr<Book> openBook(const std::filesystem::path& file);
  std::shared_ptr<Book> activeBook() const;
  void activateBook(const Book& book);
  // Takes the book out of the open workbooks (File > Close in the window).
  // When it was the active one, the last one left becomes active. Ranges of
  // its sheets fail with 1004 from then on.
  void closeBook(const Book& book);
  const std::shared_ptr<HostCommandBars>& commandBars() const { return commandBars_; }

 private:
  // The active sheet; 1004 when no workbook is open.
  std::shared_ptr<class Sheet> requireActiveSheet() const;
  // A range from an address of the active workbook (its active sheet unless
  // the address names one).
  std::shared_ptr<host::Range> resolve(const std::string& address) const;

  std::string version_;
  GridSize grid_;
  bool screenUpdating_ = true;
  std::vector<std::shared_ptr<Book>> books_;
  std::size_t activeBook_ = 0;
  int bookCounter_ = 0;
  std::shared_ptr<HostCommandBars> commandBars_;
};

}  // namespace tavrello::host
