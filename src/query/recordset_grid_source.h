#pragma once

#include <memory>

#include "platform/forms/data_grid.h"

namespace tavrello::db {
class Recordset;
}

namespace tavrello {

// The preview grid's view of a result set: cells are read from the result
// set's columns when the grid paints them, so binding copies no rows. The
// source keeps the result set alive; one that is closed shows no rows.
class RecordsetGridSource : public forms::GridSource {
 public:
  explicit RecordsetGridSource(std::shared_ptr<db::Recordset> recordset);

  int columnCount() const override;
  std::string columnName(int column) const override;
  std::int64_t rowCount() const override;
  // The value's display text (dates as dates, NULL as nothing).
  std::string cellText(std::int64_t row, int column) const override;
  forms::GridAlignment columnAlignment(int column) const override;

 private:
  bool readable() const;

  std::shared_ptr<db::Recordset> recordset_;
};

}  // namespace tavrello
