#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrello {

// One saved connection: the name the user chose and the connection string
// handed unchanged to the database layer (it may be empty). Names need not be
// unique.
struct ConnectionProfile {
  std::string name;
  std::string connectionString;

  friend bool operator==(const ConnectionProfile&, const ConnectionProfile&) = default;
};

// The process-wide table of saved connections: rows 0 to n-1, column 0 the
// name, column 1 the connection string. It starts unsized (no rows and no
// bounds); reading a cell of an unsized table, or outside its bounds, fails
// with "Subscript out of range" as the array it stands for did, which callers
// report.
class ConnectionList {
 public:
  static constexpr std::int16_t kNameColumn = 0;
  static constexpr std::int16_t kConnectionStringColumn = 1;

  bool isSized() const { return rows_.has_value(); }

  // Number of rows; 0 while unsized.
  std::size_t rowCount() const { return rows_ ? rows_->size() : 0; }

  // Throws Failure 9 when the table is unsized or row/column are outside it.
  const std::string& value(std::size_t row, std::int16_t column) const;
  void setValue(std::size_t row, std::int16_t column, std::string text);

  // Sizes the table to `rows` empty rows, discarding every previous row.
  void resize(std::size_t rows);

  // Replaces every row by a copy of `rows` (a sized table, even when empty).
  void assign(std::vector<ConnectionProfile> rows);

  // The rows in order; empty while unsized.
  const std::vector<ConnectionProfile>& rows() const;

 private:
  template <class Rows>
  static auto& cellOf(Rows& rows, std::size_t row, std::int16_t column);

  std::optional<std::vector<ConnectionProfile>> rows_;
};

}  // namespace tavrello
