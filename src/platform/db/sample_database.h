#pragma once

#include <filesystem>

namespace tavrello::db {

// Creates the sample database that a new installation's "Sample" connection
// opens: a small shop in SQLite, the same on every machine.
//
//   customers    600 rows  id, name, email, city, country, phone, joined (DATE), vip (BOOLEAN)
//   products     200 rows  id, code, name, category, unit_price (DECIMAL), in_stock, discontinued
//   orders      2400 rows  id, customer_id, ordered_at (TIMESTAMP), shipped_on (DATE), status, note
//   order_items ~7000 rows order_id, line, product_id, quantity, unit_price, discount (REAL)
//   views order_totals (one row per order with its customer and total) and
//         customer_sales (orders and revenue per customer)
//
// Names and texts are in several scripts (accented Latin, Greek, Cyrillic,
// Japanese, Chinese, Korean); phones, shipping dates and notes are NULL where
// a shop would lack them. An existing file is never overwritten: Failure 58
// names it. A failure part way removes the half-written file.
void createSampleDatabase(const std::filesystem::path& file);

}  // namespace tavrello::db
