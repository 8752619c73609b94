#pragma once

// Workbooks built through the host's object model for the file tests.

#include <filesystem>
#include <memory>
#include <string>

#include "platform/db/sqlite_writer.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/date_serial.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/workbook_application.h"

namespace tavrello::testing::xlsx {

using host::CellValue;
using host::DateTime;

// A small SQLite database with a table `orders` of three rows.
inline void createOrders(const std::filesystem::path& file) {
  db::SqliteWriter writer(file);
  writer.exec("CREATE TABLE orders(id INTEGER, customer TEXT, amount REAL, placed DATE)");
  writer.prepare("INSERT INTO orders VALUES (?, ?, ?, ?)");
  const char* customers[] = {"Ann", "Bo \xc3\x98stberg", "=cmd|' /C calc'!A0"};
  const char* dates[] = {"2024-01-31", "2024-02-29", "2024-03-01"};
  for (int i = 0; i < 3; ++i) {
    writer.bind(1, std::int64_t{i + 1});
    writer.bind(2, std::string_view(customers[i]));
    writer.bind(3, 10.25 * (i + 1));
    writer.bind(4, std::string_view(dates[i]));
    writer.insertRow();
  }
  writer.commit();
}

// A book with typed cells, a design, widths and an auto filter on "Data",
// and two query tables on "Linked": an ODBC one whose block is set by hand
// (no ODBC server is needed) and formatted with a design, and an SQLite one
// refreshed for real with SaveData false.
struct SampleBook {
  std::shared_ptr<host::WorkbookApplication> app = host::WorkbookApplication::create();
  std::shared_ptr<host::Book> book = app->addBook();
  std::shared_ptr<host::Sheet> data;
  std::shared_ptr<host::Sheet> linked;

  explicit SampleBook(const std::filesystem::path& ordersDb) {
    data = book->sheets()[0];
    data->Name("Data");
    auto set = [&](const char* address, const CellValue& value) { data->Range(address)->Value(value); };
    set("A1", std::string("Name"));
    set("B1", std::string("Amount"));
    set("C1", std::string("When"));
    set("D1", std::string("Flag"));
    set("A2", std::string("=SUM(1,2)"));
    set("B2", 12.5);
    set("C2", DateTime{host::dateSerial(2024, 2, 29)});
    set("D2", true);
    set("A3", std::string("+44 20 7946 0000"));
    set("B3", -3.0);
    set("C3", DateTime{host::dateSerial(2023, 12, 31) + (23 * 3600 + 59 * 60 + 58) / 86400.0});
    set("D3", host::CellError::NA);
    set("A4", std::string("@home"));
    set("B4", 1e300);
    set("D4", false);
    set("A5", std::string("-5 & <b>\"quoted\"</b>"));
    set("B5", 0.1);
    data->Range("A1:D5")->AutoFormat({host::RangeAutoFormat::List1});
    data->Range("A1:D5")->AutoFilter();
    data->setColumnWidth(1, 24.5);

    linked = book->addSheet();
    linked->Name("Linked Data");
    auto tables = linked->QueryTables();
    auto odbc = tables->Add(std::string("ODBC;DSN=Sales;UID=app;PWD=s3cret;"), linked->Range("B2"),
                            std::string("SELECT id, name\r\nFROM customers\r\nWHERE code LIKE 'A_x0041_%'"));
    odbc->Name("Sales Query");
    linked->Range("B2")->Value(std::string("id"));
    linked->Range("C2")->Value(std::string("name"));
    linked->Range("B3")->Value(1.0);
    linked->Range("C3")->Value(std::string("Ann"));
    std::dynamic_pointer_cast<host::SheetQueryTable>(odbc)->setResult({2, 2, 3, 3});
    linked->Range("B2:C3")->AutoFormat({host::RangeAutoFormat::Color1, true, true, true, true, true, false});

    createOrders(ordersDb);
    auto sqlite = tables->Add(std::vector<std::string>{"OLEDB;Provider=SQLite;", "Data Source=" + ordersDb.string()},
                              linked->Range("F2"), std::string("SELECT * FROM orders"));
    sqlite->SaveData(false);
    sqlite->FieldNames(false);
    sqlite->Refresh(false);
    book->activateSheet(*linked);
  }
};

}  // namespace tavrello::testing::xlsx
