#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace tavrello::db {

// The orders table that the benchmarks import: as many rows as a worksheet
// holds below its heading row, ten columns of the usual kinds.
inline constexpr std::int64_t kOrdersBenchmarkRows = 1048575;

// One generated order. Views point into static tables or into the
// generator's own buffers and are valid only during the callback.
struct OrderRow {
  std::int64_t id;
  std::int64_t customerId;
  std::string_view customerName;  // some with accents, Greek, Cyrillic or CJK
  std::string_view city;
  std::string_view productCode;   // "P-00042"
  double amount;                  // two decimals
  std::int64_t quantity;
  std::string_view orderDate;     // "YYYY-MM-DD"
  std::string_view shippedAt;     // "YYYY-MM-DD HH:MM:SS"
  std::optional<std::string_view> note;  // NULL for about 30 % of the rows
};

// Calls `row` for orders 1..rows; the same rows every time.
void generateOrders(std::int64_t rows, const std::function<void(const OrderRow&)>& row);

// Creates a new SQLite file holding the table
//   orders(id INTEGER PRIMARY KEY, customer_id INTEGER, customer_name VARCHAR(60),
//          city VARCHAR(40), product_code VARCHAR(12), amount REAL,
//          quantity INTEGER, order_date DATE, shipped_at TIMESTAMP, note TEXT)
// with `rows` generated orders. An existing file is never overwritten:
// Failure 58 ("File already exists") names it. Other failures are the
// SQLite library's, converted as for any statement.
void createOrdersDatabase(const std::filesystem::path& file, std::int64_t rows = kOrdersBenchmarkRows);

}  // namespace tavrello::db
