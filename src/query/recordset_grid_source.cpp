#include "query/recordset_grid_source.h"

#include "platform/db/column.h"
#include "platform/db/recordset.h"

namespace tavrello {

RecordsetGridSource::RecordsetGridSource(std::shared_ptr<db::Recordset> recordset)
    : recordset_(std::move(recordset)) {}

bool RecordsetGridSource::readable() const { return recordset_ && recordset_->State() == 1; }

int RecordsetGridSource::columnCount() const {
  return readable() ? static_cast<int>(recordset_->columnCount()) : 0;
}

std::string RecordsetGridSource::columnName(int column) const {
  if (!readable() || column < 0 || column >= columnCount()) return {};
  return recordset_->column(static_cast<std::size_t>(column)).name();
}

std::int64_t RecordsetGridSource::rowCount() const {
  return readable() ? static_cast<std::int64_t>(recordset_->rowCount()) : 0;
}

std::string RecordsetGridSource::cellText(std::int64_t row, int column) const {
  if (!readable() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
  return recordset_->column(static_cast<std::size_t>(column)).display(static_cast<std::size_t>(row));
}

forms::GridAlignment RecordsetGridSource::columnAlignment(int column) const {
  if (!readable() || column < 0 || column >= columnCount()) return forms::GridAlignment::Left;
  switch (recordset_->column(static_cast<std::size_t>(column)).type()) {
    case db::DataType::Integer:
    case db::DataType::Double:
    case db::DataType::Decimal:
    case db::DataType::Date:
    case db::DataType::Time:
    case db::DataType::DateTime:
      return forms::GridAlignment::Right;
    default:
      return forms::GridAlignment::Left;
  }
}

}  // namespace tavrello
