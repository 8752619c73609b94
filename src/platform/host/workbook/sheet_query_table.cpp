#include "platform/host/workbook/sheet_query_table.h"

#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/query_refresh.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_range.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

class SheetQueryTables : public QueryTables {
 public:
  explicit SheetQueryTables(std::shared_ptr<Sheet> sheet) : sheet_(std::move(sheet)) {}

  std::int32_t Count() const override { return static_cast<std::int32_t>(sheet_->queryTables().size()); }

  std::shared_ptr<QueryTable> Item(std::int32_t index) const override {
    if (index < 1 || index > Count()) throw Failure::subscriptOutOfRange();
    return sheet_->queryTables()[static_cast<std::size_t>(index - 1)];
  }

  std::shared_ptr<QueryTable> Item(const std::string& name) const override {
    for (const auto& table : sheet_->queryTables()) {
      if (sameName(table->Name(), name)) return table;
    }
    throw Failure::subscriptOutOfRange();
  }

  std::shared_ptr<QueryTable> Add(const QueryConnection& Connection, const std::shared_ptr<Range>& Destination,
                                  const std::optional<std::string>& Sql) override {
    parseQuerySource(joinConnection(Connection));
    const SheetRange& destination = sheetRange(Destination);
    if (destination.sheet() != sheet_)
      throw Failure::host("A query table's destination must lie on the sheet whose QueryTables adds it.");
    auto table = std::make_shared<SheetQueryTable>(sheet_, Connection, destination.rect().top,
                                                   destination.rect().left, sheet_->nextQueryTableName());
    if (Sql) table->CommandText(*Sql);
    return sheet_->addQueryTable(table);
  }

 private:
  std::shared_ptr<Sheet> sheet_;
};

}  // namespace

std::shared_ptr<QueryTables> makeQueryTables(std::shared_ptr<Sheet> sheet) {
  return std::make_shared<SheetQueryTables>(std::move(sheet));
}

SheetQueryTable::SheetQueryTable(std::weak_ptr<Sheet> sheet, QueryConnection connection, std::int32_t row,
                                 std::int32_t column, std::string name)
    : sheet_(std::move(sheet)), connection_(std::move(connection)), row_(row), column_(column), name_(std::move(name)) {}

std::shared_ptr<Sheet> SheetQueryTable::sheet() const {
  auto sheet = sheet_.lock();
  if (!sheet || deleted_) throw Failure::host("The query table has been deleted.");
  return sheet;
}

QueryConnection SheetQueryTable::Connection() const { return connection_; }

void SheetQueryTable::Connection(const QueryConnection& connection) {
  parseQuerySource(joinConnection(connection));
  connection_ = connection;
}

int SheetQueryTable::CommandType() const { return commandType_; }

void SheetQueryTable::CommandType(int type) {
  if (type < XlCmdType::Cube || type > XlCmdType::List)
    throw Failure::host("CommandType must lie between 1 and 5, not " + std::to_string(type) + ".");
  commandType_ = type;
}

std::string SheetQueryTable::CommandText() const { return commandText_; }

void SheetQueryTable::CommandText(const std::string& text) { commandText_ = text; }

std::string SheetQueryTable::Name() const { return name_; }

void SheetQueryTable::Name(const std::string& name) {
  auto owner = sheet();
  if (name.empty()) throw Failure::host("A query table's name cannot be empty.");
  if (name.size() > 255) throw Failure::host("A query table's name can hold at most 255 characters.");
  for (const auto& table : owner->queryTables()) {
    if (table.get() != this && sameName(table->Name(), name))
      throw Failure::host("The sheet already has a query table named '" + name + "'.");
  }
  std::string oldBlock = blockName();
  name_ = name;
  if (result_) {
    owner->removeName(oldBlock);
    owner->setName(blockName(), *result_, true);
  }
}

void SheetQueryTable::RefreshStyle(int style) {
  if (style < XlCellInsertionMode::OverwriteCells || style > XlCellInsertionMode::InsertEntireRows)
    throw Failure::host("RefreshStyle must be 0, 1 or 2, not " + std::to_string(style) + ".");
  refreshStyle_ = style;
}

void SheetQueryTable::RefreshPeriod(std::int32_t minutes) {
  if (minutes < 0 || minutes > 32767) throw Failure::host("RefreshPeriod must lie between 0 and 32767 minutes.");
  refreshPeriod_ = minutes;
}

std::shared_ptr<Range> SheetQueryTable::Destination() const {
  return sheet()->range(CellRect::cell(row_, column_));
}

std::shared_ptr<Range> SheetQueryTable::ResultRange() const {
  auto owner = sheet();
  return result_ ? owner->range(*result_) : nullptr;
}

std::shared_ptr<Worksheet> SheetQueryTable::Parent() const { return sheet(); }

bool SheetQueryTable::Refresh(std::optional<bool>) {
  refreshQueryTable(*this);
  return true;
}

void SheetQueryTable::Delete() {
  auto owner = sheet();
  if (result_) owner->removeName(blockName());
  owner->removeQueryTable(*this);
  deleted_ = true;
}

CellRect SheetQueryTable::footprint() const { return result_ ? *result_ : CellRect::cell(row_, column_); }

std::string SheetQueryTable::blockName() const { return blockNameFor(name_); }

void SheetQueryTable::moveRows(std::int32_t delta) {
  row_ += delta;
  if (result_) {
    result_->top += delta;
    result_->bottom += delta;
  }
}

void SheetQueryTable::setResult(const CellRect& rect) {
  result_ = rect;
  sheet()->setName(blockName(), rect, true);
}

}  // namespace tavrello::host
