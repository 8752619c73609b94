#include "profiles/connection_list.h"

#include "platform/system/failure.h"

namespace tavrello {

template <class Rows>
auto& ConnectionList::cellOf(Rows& rows, std::size_t row, std::int16_t column) {
  if (!rows || row >= rows->size()) throw Failure::subscriptOutOfRange();
  auto& profile = (*rows)[row];
  if (column == kNameColumn) return profile.name;
  if (column == kConnectionStringColumn) return profile.connectionString;
  throw Failure::subscriptOutOfRange();
}

const std::string& ConnectionList::value(std::size_t row, std::int16_t column) const {
  return cellOf(rows_, row, column);
}

void ConnectionList::setValue(std::size_t row, std::int16_t column, std::string text) {
  cellOf(rows_, row, column) = std::move(text);
}

void ConnectionList::resize(std::size_t rows) { rows_.emplace(rows); }

void ConnectionList::assign(std::vector<ConnectionProfile> rows) { rows_ = std::move(rows); }

const std::vector<ConnectionProfile>& ConnectionList::rows() const {
  static const std::vector<ConnectionProfile> kNone;
  return rows_ ? *rows_ : kNone;
}

}  // namespace tavrello
