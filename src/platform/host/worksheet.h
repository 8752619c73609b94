#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/host/range.h"

namespace tavrello::host {

class QueryTables;
class Workbook;

// One worksheet of a workbook. Every failure is a tavrello::Failure with
// number 1004 unless said otherwise.
class Worksheet {
 public:
  virtual ~Worksheet() = default;

  // The sheet's tab name. A new name must be 1 to 31 characters, without
  // : \ / ? * [ ], not begin or end with an apostrophe, and not be the name
  // of another sheet of the workbook (compared without regard to case).
  virtual std::string Name() const = 0;
  virtual void Name(const std::string& name) = 0;

  // 1-based position among the workbook's sheets.
  virtual std::int32_t Index() const = 0;

  virtual std::shared_ptr<Workbook> Parent() const = 0;

  // A range of this sheet from an A1 address ("B3", "$B$2:$D$4"), or from
  // two corner cells (both on this sheet). An address naming another sheet
  // or one that cannot be read fails with 1004.
  virtual std::shared_ptr<host::Range> Range(const std::string& address) = 0;
  virtual std::shared_ptr<host::Range> Range(const std::shared_ptr<host::Range>& Cell1,
                                             const std::shared_ptr<host::Range>& Cell2) = 0;

  // One cell by row and column, both from 1.
  virtual std::shared_ptr<host::Range> Cells(std::int32_t RowIndex, std::int32_t ColumnIndex) = 0;

  // The sheet's query tables.
  virtual std::shared_ptr<host::QueryTables> QueryTables() = 0;

  // Makes this sheet, and its workbook, the active one.
  virtual void Activate() = 0;

  // Selects the sheet: as Activate (this host selects one sheet at a time).
  virtual void Select() = 0;

  // Whether the sheet shows an auto filter; setting false removes it
  // (setting true is refused, as in the object model: use Range.AutoFilter).
  virtual bool AutoFilterMode() const = 0;
  virtual void AutoFilterMode(bool on) = 0;
};

}  // namespace tavrello::host
