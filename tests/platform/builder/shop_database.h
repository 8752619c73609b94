#pragma once

// A small shop database for the builder's tests: customers, orders, order
// items, products, categories, employees, a table with blanks in its names
// and a view. Header-only so that the gui tests can use it too.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "support_lib/test_env.h"

namespace tavrello::testing {

inline const char* shopSchemaSql() {
  return R"sql(
CREATE TABLE categories (category_id INTEGER PRIMARY KEY, name TEXT NOT NULL,
  parent_id INTEGER REFERENCES categories(category_id));
CREATE TABLE products (product_id INTEGER PRIMARY KEY, name TEXT NOT NULL,
  category_id INTEGER REFERENCES categories(category_id), unit_price NUMERIC NOT NULL,
  discontinued INTEGER NOT NULL DEFAULT 0);
CREATE TABLE customers (customer_id INTEGER PRIMARY KEY, name TEXT NOT NULL, email TEXT,
  city TEXT, country TEXT, created_at TEXT);
CREATE TABLE employees (employee_id INTEGER PRIMARY KEY, first_name TEXT, last_name TEXT,
  manager_id INTEGER REFERENCES employees(employee_id), hired_on TEXT, salary NUMERIC);
CREATE TABLE orders (order_id INTEGER PRIMARY KEY, customer_id INTEGER REFERENCES customers(customer_id),
  employee_id INTEGER REFERENCES employees(employee_id), order_date TEXT, status TEXT, freight NUMERIC);
CREATE TABLE order_items (order_id INTEGER REFERENCES orders(order_id),
  product_id INTEGER REFERENCES products(product_id), quantity INTEGER, unit_price NUMERIC,
  discount NUMERIC DEFAULT 0, PRIMARY KEY (order_id, product_id));
CREATE TABLE "Order Notes" ("Note ID" INTEGER PRIMARY KEY, order_id INTEGER, "Note Text" TEXT);
CREATE VIEW customer_totals AS
  SELECT c.customer_id, c.name, SUM(oi.quantity * oi.unit_price) AS total
  FROM customers c JOIN orders o ON o.customer_id = c.customer_id
  JOIN order_items oi ON oi.order_id = o.order_id GROUP BY c.customer_id, c.name;
INSERT INTO categories VALUES (1, 'Beverages', NULL), (2, 'Tea', 1), (3, 'Coffee', 1), (4, 'Snacks', NULL);
INSERT INTO products VALUES (1, 'Green Tea', 2, 4.5, 0), (2, 'Espresso Beans', 3, 12.0, 0),
  (3, 'Pretzels', 4, 2.25, 0), (4, 'Old Cola', 1, 1.5, 1), (5, 'Earl Grey 10% off', 2, 5.0, 0);
INSERT INTO customers VALUES (1, 'Alfreds', 'alfred@example.com', 'Berlin', 'Germany', '2022-03-01'),
  (2, 'Bon App', NULL, 'Marseille', 'France', '2022-07-12'),
  (3, 'Chop-suey', 'chop@example.org', NULL, 'Switzerland', '2023-01-20'),
  (4, 'Test Customer', 'test@example.com', 'Berlin', 'Germany', '2023-05-05');
INSERT INTO employees VALUES (1, 'Nancy', 'Davolio', NULL, '2019-05-01', 5200),
  (2, 'Andrew', 'Fuller', 1, '2020-08-14', 4100), (3, 'Janet', 'Leverling', 1, '2021-04-01', 3900);
INSERT INTO orders VALUES (1, 1, 2, '2023-02-01', 'shipped', 12.5), (2, 1, 3, '2023-08-15', 'open', 150),
  (3, 2, 2, '2023-11-30', 'shipped', 0), (4, 3, NULL, '2024-01-10', 'pending', 32.75);
INSERT INTO order_items VALUES (1, 1, 10, 4.5, 0), (1, 3, 2, 2.25, 0.1), (2, 2, 6, 12.0, 0),
  (3, 1, 1, 4.5, 0), (3, 5, 3, 5.0, 0), (4, 2, 1, 12.0, 0.05);
INSERT INTO "Order Notes" VALUES (1, 1, 'Leave at the door'), (2, 4, 'Call first');
)sql";
}

// Creates the shop database as file name in dir and returns its connection
// string for the embedded SQLite provider.
inline std::string createShopDatabase(const std::filesystem::path& file) {
  writeFile(file, "");
  std::string connectionString = "Provider=SQLite;Data Source=" + file.string();
  db::Connection connection;
  connection.Open(connectionString);
  connection.Execute(shopSchemaSql());
  connection.Close();
  return connectionString;
}

// Every row of a result as display texts joined with '|', for comparing results.
inline std::vector<std::string> resultRows(db::Recordset& rs) {
  std::vector<std::string> rows;
  if (rs.State() != 1) return rows;
  for (std::size_t r = 0; r < rs.rowCount(); ++r) {
    rs.AbsolutePosition(static_cast<std::int64_t>(r) + 1);
    std::string line;
    for (long f = 0; f < rs.fields().Count(); ++f) {
      if (f > 0) line += '|';
      line += rs.fields().Item(f).Value().display;
    }
    rows.push_back(std::move(line));
  }
  return rows;
}

}  // namespace tavrello::testing
