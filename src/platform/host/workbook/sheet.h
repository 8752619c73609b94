#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/worksheet.h"
#include "platform/host/workbook/cell_store.h"
#include "platform/host/workbook/grid.h"

namespace tavrello::host {

class Book;
class SheetQueryTable;
class SheetRange;

// A name of the sheet's own scope for a block of its cells, as the file
// format keeps it (the query tables' blocks carry such names).
struct DefinedName {
  std::string name;
  CellRect rect;
  bool hidden = false;
};

// One worksheet of the workbook host: its cells, column widths, selection,
// auto filter, names and query tables. Besides the object model it offers
// the model to the host's own parts (file writer, window).
class Sheet : public Worksheet, public std::enable_shared_from_this<Sheet> {
 public:
  // The width of a column nobody has sized, in characters of the default font.
  static constexpr double kDefaultColumnWidth = 8.43;

  Sheet(std::weak_ptr<Book> book, std::string name, GridSize grid);
  ~Sheet() override;

  std::string Name() const override;
  void Name(const std::string& name) override;
  std::int32_t Index() const override;
  std::shared_ptr<Workbook> Parent() const override;
  std::shared_ptr<host::Range> Range(const std::string& address) override;
  std::shared_ptr<host::Range> Range(const std::shared_ptr<host::Range>& Cell1,
                                     const std::shared_ptr<host::Range>& Cell2) override;
  std::shared_ptr<host::Range> Cells(std::int32_t RowIndex, std::int32_t ColumnIndex) override;
  std::shared_ptr<host::QueryTables> QueryTables() override;
  void Activate() override;
  void Select() override;
  bool AutoFilterMode() const override;
  void AutoFilterMode(bool on) override;

  // The book the sheet belongs to; 1004 once it is gone.
  std::shared_ptr<Book> book() const;
  const std::string& name() const { return name_; }
  const GridSize& grid() const { return grid_; }

  // A range object over a rectangle of this sheet (which must fit the grid).
  std::shared_ptr<SheetRange> range(const CellRect& rect);

  CellStore& cells() { return cells_; }
  const CellStore& cells() const { return cells_; }

  // Typed cell access; writing text interns it in the book, a DateTime gets
  // a date or date-time format.
  CellValue value(std::int32_t row, std::int32_t column) const;
  void setValue(std::int32_t row, std::int32_t column, const CellValue& value);

  // The selection and the active cell (its top-left cell).
  const CellRect& selection() const { return selection_; }
  void select(const CellRect& rect) { selection_ = rect; }

  // Widths of the columns that have one of their own, in characters.
  const std::map<std::int32_t, double>& columnWidths() const { return columnWidths_; }
  double columnWidth(std::int32_t column) const;
  void setColumnWidth(std::int32_t column, double width);

  // The auto filter's block, if the sheet has one. The file writer writes it
  // with the hidden name the file format gives it.
  const std::optional<CellRect>& autoFilter() const { return autoFilter_; }
  // Range.AutoFilter: on over `rect`, or off when it is on over exactly `rect`.
  void toggleAutoFilter(const CellRect& rect);

  // Names of this sheet's scope, in the order they were made.
  const std::vector<DefinedName>& definedNames() const { return names_; }
  const DefinedName* findName(const std::string& name) const;
  void setName(const std::string& name, const CellRect& rect, bool hidden);
  void removeName(const std::string& name);

  // The query tables, in the order they were added.
  const std::vector<std::shared_ptr<SheetQueryTable>>& queryTables() const { return queryTables_; }
  std::shared_ptr<SheetQueryTable> addQueryTable(std::shared_ptr<SheetQueryTable> table);
  void removeQueryTable(const SheetQueryTable& table);
  // The next unused "ExternalData_N" name.
  std::string nextQueryTableName();

  // Inserts (delta > 0) or deletes (delta < 0) cells in columns left..right
  // at `fromRow`: the cells from `fromRow` down move by delta rows, with the
  // names, the auto filter and the query tables that lie wholly in those
  // columns below. Fails with 1004, changing nothing, when cells that are
  // not blank would be pushed off the grid.
  void shiftCells(std::int32_t fromRow, std::int32_t left, std::int32_t right, std::int32_t delta);

 private:
  std::weak_ptr<Book> book_;
  std::string name_;
  GridSize grid_;
  CellStore cells_;
  CellRect selection_;
  std::map<std::int32_t, double> columnWidths_;
  std::optional<CellRect> autoFilter_;
  std::vector<DefinedName> names_;
  std::vector<std::shared_ptr<SheetQueryTable>> queryTables_;
  std::int32_t queryTableCounter_ = 0;
};

// Checks a sheet name as the host accepts it; 1004 with the reason otherwise.
void checkSheetName(const std::string& name);

}  // namespace tavrello::host
