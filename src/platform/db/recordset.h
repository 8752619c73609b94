#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/column.h"
#include "platform/db/data_type.h"
#include "platform/db/value.h"
#include "platform/system/failure.h"

namespace tavrello::db {

class Recordset;

// One column of a result set as the object model shows it. Valid while its
// result set lives.
class Field {
 public:
  Field(const Recordset& owner, std::size_t index) : owner_(&owner), index_(index) {}

  const std::string& Name() const;
  DataType Type() const;
  // The value at the current row. Throws Failure 3021 when there is no current
  // row (BOF or EOF), 3704 when the result set is closed.
  db::Value Value() const;
  // The column's stored values, for readers that take every row at once.
  const Column& column() const;

 private:
  const Recordset* owner_;
  std::size_t index_;
};

// The fields of a result set in column order.
class Fields {
 public:
  // Number of fields; 3704 when the result set is closed.
  long Count() const;
  // By position from 0, or by name (letter case ignored, first match).
  // Throws Failure 3265 when there is no such field, 3704 when closed.
  const Field& Item(long index) const;
  const Field& Item(std::string_view name) const;

 private:
  friend class Recordset;
  explicit Fields(const Recordset& owner) : owner_(&owner) {}
  const Recordset* owner_;
  std::vector<Field> fields_;
};

// A fully read result: every row is in memory when Execute returns, so the
// row count is exact and the result stays readable after its connection closes.
// Created closed and empty; Execute hands out open ones positioned on the
// first row. Reading any row member of a closed result set throws Failure 3704
// "Operation is not allowed when the object is closed."
//
// Not copyable or movable: fields point back at their result set, and callers
// share it through std::shared_ptr. Not thread-safe.
class Recordset {
 public:
  // A closed result set with no fields, as a freshly created one.
  Recordset();
  // An open result set over these columns (all of one length), on its first row.
  explicit Recordset(std::vector<Column> columns);
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // 1 open, 0 closed.
  long State() const { return open_ ? 1 : 0; }
  // Closes the result set and frees its rows. 3704 when already closed.
  void Close();

  // Exact number of rows.
  std::int64_t RecordCount() const;
  // True when the position is past the last row (at once for an empty result).
  // Named Eof rather than EOF because the C library defines EOF as a macro.
  bool Eof() const;
  // True when the position is before the first row (at once for an empty result).
  bool Bof() const;
  // Moves. MoveNext at EOF and MovePrevious at BOF throw Failure 3021.
  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrevious();
  // 1-based number of the current row; -2 at BOF, -3 at EOF (the original
  // layer's adPosBOF and adPosEOF). Setting it moves to that row; a number
  // outside 1..RecordCount throws Failure 3001.
  std::int64_t AbsolutePosition() const;
  void AbsolutePosition(std::int64_t position);

  Fields& fields();
  const Fields& fields() const;

  // Host extension, not in the original object model. True tells a
  // Range.CopyFromRecordset of every remaining row that its caller closes the
  // result set right after it, so the copy may free each field's values as
  // soon as they are in the cells: a million-row import then never holds the
  // whole result and all its cells at once. After such a copy the result set
  // is open at EOF with its fields, their names and types and its
  // RecordCount, but no rows: moving fails with Failure 3021. False (as
  // created) leaves every row in place, as the preview grid needs.
  void ReleaseRowsWhenCopied(bool release);
  bool ReleaseRowsWhenCopied() const;
  // For that copy: frees the values of field `index` in the rows before
  // `before` (all of them when `before` is rowCount() or more) and leaves the
  // result set at EOF with its rows gone. 3704 when closed; ignored unless
  // ReleaseRowsWhenCopied() is true.
  void releaseRows(std::size_t index, std::size_t before);

  // Column-wise access for the host and the grid; 3704 when closed.
  std::size_t columnCount() const;
  const Column& column(std::size_t index) const;
  std::size_t rowCount() const;
  // 0-based index of the current row: rowCount() at EOF. At BOF (reached only
  // by moving back from row 0) it is 0 as well; check Bof() where it matters.
  std::size_t position() const;

 private:
  void requireOpen() const;
  // requireOpen, and 3021 once a copy released the rows.
  void requireRows() const;

  bool open_ = false;
  bool releaseWhenCopied_ = false;
  bool released_ = false;
  std::vector<Column> columns_;
  std::size_t rows_ = 0;
  // Current row; rows_ at EOF. bof_ marks the position before row 0.
  std::size_t position_ = 0;
  bool bof_ = false;
  Fields fields_;
};

}  // namespace tavrello::db
