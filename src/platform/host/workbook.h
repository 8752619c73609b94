#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/host/worksheet.h"

namespace tavrello::host {

// The worksheets of one workbook, in tab order. Failures are
// tavrello::Failure: 9 ("Subscript out of range") for a missing item.
class Worksheets {
 public:
  virtual ~Worksheets() = default;

  virtual std::int32_t Count() const = 0;

  // By 1-based position, or by name without regard to case; 9 when absent.
  virtual std::shared_ptr<Worksheet> Item(std::int32_t index) const = 0;
  virtual std::shared_ptr<Worksheet> Item(const std::string& name) const = 0;

  // Adds a sheet named "SheetN" (the next free number) after the last one
  // and makes it active.
  virtual std::shared_ptr<Worksheet> Add() = 0;
};

// One open workbook.
class Workbook {
 public:
  virtual ~Workbook() = default;

  // "Book1", "Book2", ... for a new workbook.
  virtual std::string Name() const = 0;

  virtual std::shared_ptr<host::Worksheets> Worksheets() = 0;

  // The sheet that is active in this workbook.
  virtual std::shared_ptr<Worksheet> ActiveSheet() = 0;

  // Makes this workbook the application's active workbook.
  virtual void Activate() = 0;

  // The path of the file the workbook was opened from or last saved as; the
  // Name of a workbook never saved.
  virtual std::string FullName() const = 0;

  // Saves the workbook as an .xlsx file (".xlsx" is added to a name without
  // an extension; other extensions fail with 1004) and makes that file the
  // workbook's: Name becomes the file's name. The file is replaced whole or
  // not at all: a failed save leaves what was there and fails with the file
  // error's number (61 disk full, 70 permission denied, ...) saying why.
  // Parts the workbook cannot keep, and texts cut to a cell's limit, are
  // told in a message box.
  virtual void SaveAs(const std::string& Filename) = 0;

  // Saves to the workbook's file as SaveAs does; 1004 for a workbook that
  // has no file yet.
  virtual void Save() = 0;
};

// The open workbooks, in the order they were opened.
class Workbooks {
 public:
  virtual ~Workbooks() = default;

  virtual std::int32_t Count() const = 0;

  // By 1-based position, or by name without regard to case; failure 9 when
  // absent.
  virtual std::shared_ptr<Workbook> Item(std::int32_t index) const = 0;
  virtual std::shared_ptr<Workbook> Item(const std::string& name) const = 0;

  // A new workbook named "BookN" (N counting up over the host's lifetime)
  // with one sheet "Sheet1"; it becomes the active workbook, its sheet the
  // active sheet and A1 the active cell.
  virtual std::shared_ptr<Workbook> Add() = 0;

  // Opens an .xlsx workbook, which becomes the active one, named after its
  // file; a workbook already open from that file is activated instead. Parts
  // of the file the host does not keep are told in a message box. Fails
  // with the file error's number (53 not found, 70 permission denied) or
  // 1004 saying what is wrong with the file, or that a workbook of the same
  // name is open.
  virtual std::shared_ptr<Workbook> Open(const std::string& Filename) = 0;
};

}  // namespace tavrello::host
