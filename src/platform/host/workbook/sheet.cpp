#include "platform/host/workbook/sheet.h"

#include <algorithm>
#include <variant>

#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/sheet_range.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"
#include "platform/system/utf8.h"

namespace tavrello::host {

void checkSheetName(const std::string& name) {
  if (name.empty() || sys::utf16Length(name) > 31) throw Failure::host("A sheet name must be 1 to 31 characters long.");
  if (name.find_first_of(":\\/?*[]") != std::string::npos)
    throw Failure::host("A sheet name cannot contain any of the characters : \\ / ? * [ ]");
  if (name.front() == '\'' || name.back() == '\'')
    throw Failure::host("A sheet name cannot begin or end with an apostrophe.");
}

Sheet::Sheet(std::weak_ptr<Book> book, std::string name, GridSize grid)
    : book_(std::move(book)), name_(std::move(name)), grid_(grid) {}

Sheet::~Sheet() = default;

std::string Sheet::Name() const { return name_; }

void Sheet::Name(const std::string& name) {
  checkSheetName(name);
  auto other = book()->findSheet(name);
  if (other && other.get() != this)
    throw Failure::host("Cannot rename a sheet to the same name as another sheet: '" + name + "'.");
  name_ = name;
}

std::int32_t Sheet::Index() const { return book()->sheetIndex(*this); }

std::shared_ptr<Workbook> Sheet::Parent() const { return book(); }

std::shared_ptr<Book> Sheet::book() const {
  auto book = book_.lock();
  if (!book) throw Failure::host("The worksheet's workbook has been closed.");
  return book;
}

std::shared_ptr<SheetRange> Sheet::range(const CellRect& rect) {
  if (!rect.fits(grid_)) throw Failure::host("The range lies outside the worksheet.");
  return std::make_shared<SheetRange>(shared_from_this(), rect);
}

std::shared_ptr<host::Range> Sheet::Range(const std::string& address) {
  ParsedAddress parsed = parseAddress(address, grid_);
  if (parsed.sheet && !sameName(*parsed.sheet, name_))
    throw Failure::host("'" + address + "' refers to another sheet than " + name_ + ".");
  return range(parsed.rect);
}

std::shared_ptr<host::Range> Sheet::Range(const std::shared_ptr<host::Range>& Cell1,
                                          const std::shared_ptr<host::Range>& Cell2) {
  const SheetRange& first = sheetRange(Cell1);
  const SheetRange& second = sheetRange(Cell2);
  if (first.sheet().get() != this || second.sheet().get() != this)
    throw Failure::host("Both corners of a range must lie on sheet " + name_ + ".");
  return range(first.rect().united(second.rect()));
}

std::shared_ptr<host::Range> Sheet::Cells(std::int32_t RowIndex, std::int32_t ColumnIndex) {
  return range(CellRect::cell(RowIndex, ColumnIndex));
}

std::shared_ptr<host::QueryTables> Sheet::QueryTables() { return makeQueryTables(shared_from_this()); }

void Sheet::Activate() {
  auto owner = book();
  owner->activateSheet(*this);
  owner->Activate();
}

void Sheet::Select() { Activate(); }

bool Sheet::AutoFilterMode() const { return autoFilter_.has_value(); }

void Sheet::AutoFilterMode(bool on) {
  if (on) throw Failure::host("An auto filter is switched on with Range.AutoFilter.");
  autoFilter_.reset();
}

CellValue Sheet::value(std::int32_t row, std::int32_t column) const {
  const Cell* cell = cells_.find(row, column);
  if (!cell) return {};
  switch (cell->kind()) {
    case CellKind::Empty: return {};
    case CellKind::Number: {
      auto owner = book();
      if (owner->styles().isDateStyle(cell->style())) return DateTime{cell->number()};
      return cell->number();
    }
    case CellKind::Text: return std::string(book()->strings().text(cell->textIndex()));
    case CellKind::Boolean: return cell->boolean();
    case CellKind::Error: return cell->error();
  }
  return {};
}

void Sheet::setValue(std::int32_t row, std::int32_t column, const CellValue& value) {
  auto owner = book();
  // Writing nothing (or empty text) into a cell that was never written keeps
  // its chunk unallocated.
  bool clears = std::holds_alternative<std::monostate>(value) ||
                (std::holds_alternative<std::string>(value) && std::get<std::string>(value).empty());
  if (clears) {
    if (cells_.find(row, column)) cells_.at(row, column).clearContent();
    return;
  }
  Cell& cell = cells_.at(row, column);
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, double>) {
          cell.setNumber(v);
        } else if constexpr (std::is_same_v<T, std::string>) {
          cell.setText(owner->strings().intern(v));
        } else if constexpr (std::is_same_v<T, bool>) {
          cell.setBoolean(v);
        } else if constexpr (std::is_same_v<T, DateTime>) {
          cell.setNumber(v.serial);
          StyleTable& styles = owner->styles();
          if (!styles.isDateStyle(cell.style())) {
            bool hasTime = v.serial != static_cast<double>(static_cast<long long>(v.serial));
            auto format = styles.addNumberFormat(hasTime ? number_format::kDateTime : number_format::kDate);
            cell.setStyle(styles.withNumberFormat(cell.style(), format));
          }
        } else if constexpr (std::is_same_v<T, CellError>) {
          cell.setError(v);
        }
      },
      value);
}

double Sheet::columnWidth(std::int32_t column) const {
  auto it = columnWidths_.find(column);
  return it == columnWidths_.end() ? kDefaultColumnWidth : it->second;
}

void Sheet::setColumnWidth(std::int32_t column, double width) {
  if (width < 0 || width > 255) throw Failure::host("A column width must lie between 0 and 255 characters.");
  columnWidths_[column] = width;
}

void Sheet::toggleAutoFilter(const CellRect& rect) {
  if (autoFilter_ && *autoFilter_ == rect) autoFilter_.reset();
  else autoFilter_ = rect;
}

const DefinedName* Sheet::findName(const std::string& name) const {
  for (const auto& entry : names_) {
    if (sameName(entry.name, name)) return &entry;
  }
  return nullptr;
}

void Sheet::setName(const std::string& name, const CellRect& rect, bool hidden) {
  for (auto& entry : names_) {
    if (sameName(entry.name, name)) {
      entry = {name, rect, hidden};
      return;
    }
  }
  names_.push_back({name, rect, hidden});
}

void Sheet::removeName(const std::string& name) {
  std::erase_if(names_, [&](const DefinedName& entry) { return sameName(entry.name, name); });
}

std::shared_ptr<SheetQueryTable> Sheet::addQueryTable(std::shared_ptr<SheetQueryTable> table) {
  queryTables_.push_back(table);
  return table;
}

void Sheet::removeQueryTable(const SheetQueryTable& table) {
  std::erase_if(queryTables_, [&](const auto& entry) { return entry.get() == &table; });
}

std::string Sheet::nextQueryTableName() {
  for (;;) {
    std::string name = "ExternalData_" + std::to_string(++queryTableCounter_);
    bool taken = findName(name) != nullptr;
    for (const auto& table : queryTables_) taken = taken || sameName(table->Name(), name);
    if (!taken) return name;
  }
}

void Sheet::shiftCells(std::int32_t fromRow, std::int32_t left, std::int32_t right, std::int32_t delta) {
  if (delta == 0) return;
  if (delta > 0) {
    std::int32_t last = cells_.lastUsedRow(left, right);
    if (last >= fromRow && last > grid_.rows - delta)
      throw Failure::host(
          "To prevent possible loss of data, cells that are not empty cannot be shifted off the worksheet.");
  } else if (fromRow + delta < 1) {
    throw Failure::host("Cannot delete cells above the first row.");
  }
  cells_.shiftRows(fromRow, left, right, delta);
  auto moves = [&](const CellRect& rect) { return rect.left >= left && rect.right <= right && rect.top >= fromRow; };
  for (auto& entry : names_) {
    if (moves(entry.rect)) {
      entry.rect.top += delta;
      entry.rect.bottom += delta;
    }
  }
  if (autoFilter_ && moves(*autoFilter_)) {
    autoFilter_->top += delta;
    autoFilter_->bottom += delta;
  }
  for (const auto& table : queryTables_) {
    if (moves(table->footprint())) table->moveRows(delta);
  }
}

}  // namespace tavrello::host
