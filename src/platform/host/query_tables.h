#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/host/copy_report.h"
#include "platform/host/range.h"

namespace tavrello::host {

// What a query table's command text is, numbered as the object model
// numbers it. This host runs statements (Sql) and whole tables (Table).
namespace XlCmdType {
inline constexpr int Cube = 1;
inline constexpr int Sql = 2;
inline constexpr int Table = 3;
inline constexpr int Default = 4;
inline constexpr int List = 5;
}  // namespace XlCmdType

// How a refresh makes room for a result of another size.
namespace XlCellInsertionMode {
inline constexpr int OverwriteCells = 0;    // overwrite what lies below, clear unused cells
inline constexpr int InsertDeleteCells = 1; // move the cells below the table in its columns
inline constexpr int InsertEntireRows = 2;  // insert whole rows when growing, clear when shrinking
}  // namespace XlCellInsertionMode

// The connection of a query table: "ODBC;" or "OLEDB;" followed by a
// connection string, given as one text or as texts that are joined.
using QueryConnection = std::variant<std::string, std::vector<std::string>>;

// A block of a worksheet filled from a database and refreshable later. The
// properties read back what was set; a new query table carries the host's
// defaults (FieldNames, PreserveFormatting, BackgroundQuery, SaveData,
// AdjustColumnWidth, PreserveColumnInfo true; RowNumbers,
// FillAdjacentFormulas, RefreshOnFileOpen, SavePassword false; RefreshStyle
// InsertDeleteCells; RefreshPeriod 0; CommandType Sql). Failures are
// tavrello::Failure, 1004 unless said otherwise.
class QueryTable {
 public:
  virtual ~QueryTable() = default;

  // As given to Add or set last. Setting checks the prefix as Add does.
  virtual QueryConnection Connection() const = 0;
  virtual void Connection(const QueryConnection& connection) = 0;

  virtual int CommandType() const = 0;
  virtual void CommandType(int type) = 0;

  virtual std::string CommandText() const = 0;
  virtual void CommandText(const std::string& text) = 0;

  // "ExternalData_N" for a new table. The table's block carries a name of
  // its worksheet made from this one: spaces (and other characters a name
  // cannot hold) become underscores. An empty name, or one that another
  // query table of the sheet has, fails with 1004.
  virtual std::string Name() const = 0;
  virtual void Name(const std::string& name) = 0;

  // Whether the first row of the block holds the field names.
  virtual bool FieldNames() const = 0;
  virtual void FieldNames(bool on) = 0;

  virtual bool RowNumbers() const = 0;
  virtual void RowNumbers(bool on) = 0;

  virtual bool FillAdjacentFormulas() const = 0;
  virtual void FillAdjacentFormulas(bool on) = 0;

  // Whether a refresh keeps the formats of the cells it fills (rows added
  // below take the format of the last data row before the refresh).
  virtual bool PreserveFormatting() const = 0;
  virtual void PreserveFormatting(bool on) = 0;

  virtual bool RefreshOnFileOpen() const = 0;
  virtual void RefreshOnFileOpen(bool on) = 0;

  // Stored with the table for hosts that refresh in the background; this
  // host always refreshes at once.
  virtual bool BackgroundQuery() const = 0;
  virtual void BackgroundQuery(bool on) = 0;

  // XlCellInsertionMode; other values fail.
  virtual int RefreshStyle() const = 0;
  virtual void RefreshStyle(int style) = 0;

  virtual bool SavePassword() const = 0;
  virtual void SavePassword(bool on) = 0;

  virtual bool SaveData() const = 0;
  virtual void SaveData(bool on) = 0;

  // Whether a refresh fits the widths of the table's columns to the result.
  virtual bool AdjustColumnWidth() const = 0;
  virtual void AdjustColumnWidth(bool on) = 0;

  // Minutes between timed refreshes; 0 is none. 0 to 32767.
  virtual std::int32_t RefreshPeriod() const = 0;
  virtual void RefreshPeriod(std::int32_t minutes) = 0;

  virtual bool PreserveColumnInfo() const = 0;
  virtual void PreserveColumnInfo(bool on) = 0;

  // The top-left cell of the table.
  virtual std::shared_ptr<Range> Destination() const = 0;

  // The block the last refresh filled (heading row and data); nothing before
  // the first refresh.
  virtual std::shared_ptr<Range> ResultRange() const = 0;

  virtual std::shared_ptr<Worksheet> Parent() const = 0;

  // Opens the connection through the database layer, runs the command text
  // and writes the result at the destination, making room as RefreshStyle
  // says, with a heading row when FieldNames is true; fits the column widths
  // when AdjustColumnWidth is true. Values no cell can hold as they come are
  // changed as Range.CopyFromRecordset changes them (see
  // LastRefreshChanges). This host refreshes before returning, whatever
  // BackgroundQuery says. Returns true. A database failure comes back as the
  // database's Failure and leaves the sheet unchanged.
  virtual bool Refresh(std::optional<bool> BackgroundQuery = std::nullopt) = 0;

  // What the last successful Refresh had to change in the values it placed;
  // empty before the first.
  virtual CopyReport LastRefreshChanges() const = 0;

  // Removes the query table (and its name); the cells stay.
  virtual void Delete() = 0;
};

// The query tables of one worksheet, in the order they were added.
class QueryTables {
 public:
  virtual ~QueryTables() = default;

  virtual std::int32_t Count() const = 0;

  // By 1-based position, or by name without regard to case; failure 9 when
  // absent.
  virtual std::shared_ptr<QueryTable> Item(std::int32_t index) const = 0;
  virtual std::shared_ptr<QueryTable> Item(const std::string& name) const = 0;

  // Adds a query table at the destination cell (its top-left cell, which
  // must be on this sheet). The connection must begin with "ODBC;" or
  // "OLEDB;" (any letter case); other sources fail with 1004. Sql, when
  // given, becomes the CommandText. Nothing is fetched until Refresh.
  virtual std::shared_ptr<QueryTable> Add(const QueryConnection& Connection, const std::shared_ptr<Range>& Destination,
                                          const std::optional<std::string>& Sql = std::nullopt) = 0;
};

}  // namespace tavrello::host
