#pragma once

#include <string>
#include <variant>

#include "platform/db/connection.h"
#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_range.h"
#include "support_lib/query_window_fixture.h"

namespace tavrello::testing {

// A test of Paste and Embed in the query window inside the real workbook
// host, on the shop database with test tables of its own: `people` (ID,
// NAME, CITY; 10 rows) and `numbers` (n), filled on demand.
class ImportFixture : public QueryWindowFixture {
 protected:
  static constexpr const char* kPeople = "SELECT ID, NAME, CITY FROM people ORDER BY ID";

  explicit ImportFixture(std::string hostVersion = "12.0") : QueryWindowFixture(std::move(hostVersion)) {}

  void SetUp() override {
    QueryWindowFixture::SetUp();
    execute(
        "CREATE TABLE people (ID INTEGER, NAME TEXT, CITY TEXT);"
        "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 10) "
        "INSERT INTO people SELECT i, 'Name ' || i, 'City ' || i FROM k;");
  }

  void execute(const std::string& statements) {
    db::Connection connection;
    connection.Open(shopConnection());
    connection.Execute(statements);
  }

  // The table `numbers` with n = 1 .. count.
  void makeNumbers(int count) {
    execute("DROP TABLE IF EXISTS numbers; CREATE TABLE numbers (n INTEGER);"
            "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < " +
            std::to_string(count) + ") INSERT INTO numbers SELECT i FROM k;");
  }

  // The query window connected to "Shop" with `statement` typed into it,
  // the way a user types and clicks elsewhere.
  formSQLNew& windowWith(const std::string& statement) {
    if (!saved_) saveShopAndBroken();
    saved_ = true;
    formSQLNew& w = openWindow();
    w.CommandConnect.userClick();
    typeStatement(w, statement);
    return w;
  }

  // Makes `address` of the active sheet the active cell and ticks Active
  // Cell, as a user who clicked the cell and then the box.
  void pasteAt(formSQLNew& w, const std::string& address) {
    app_->Range(address)->Select();
    if (w.CheckActiveCell.Value() != 1) w.CheckActiveCell.userClick();
  }

  host::CellValue at(const std::string& address) const { return app_->Range(address)->Value(); }
  std::string text(const std::string& address) const {
    const host::CellValue value = at(address);
    if (const auto* s = std::get_if<std::string>(&value)) return *s;
    if (const auto* d = std::get_if<double>(&value)) return std::to_string(*d);
    return std::holds_alternative<std::monostate>(value) ? "<empty>" : "<other>";
  }
  bool empty(const std::string& address) const { return std::holds_alternative<std::monostate>(at(address)); }

  std::shared_ptr<host::Sheet> activeSheet() const {
    return std::dynamic_pointer_cast<host::Sheet>(app_->ActiveSheet());
  }
  // The active sheet's auto filter as an address, or "" when it has none.
  std::string autoFilter() const {
    const auto& filter = activeSheet()->autoFilter();
    return filter ? host::absoluteAddress(*filter) : "";
  }

  // The fill colour a table design gave the cell, or 0 for none.
  std::uint32_t fillAt(const std::string& address) const {
    const std::shared_ptr<host::Range> range = app_->Range(address);
    const host::SheetRange& cell = host::sheetRange(range);
    const host::StyleTable& styles = cell.sheet()->book()->styles();
    const host::Cell* stored = cell.sheet()->cells().find(cell.rect().top, cell.rect().left);
    const host::FillStyle& fill = styles.fill(styles.style(stored ? stored->style() : 0).fill);
    return fill.pattern == host::FillPattern::Solid ? fill.color : 0;
  }
  // Whether the cell carries a style of its own (a design reached it).
  bool styled(const std::string& address) const {
    const std::shared_ptr<host::Range> range = app_->Range(address);
    const host::SheetRange& cell = host::sheetRange(range);
    const host::Cell* stored = cell.sheet()->cells().find(cell.rect().top, cell.rect().left);
    return stored && stored->style() != 0;
  }

  bool saved_ = false;

  // The boxes shown so far, as the headless host prints them.
  std::string boxes() {
    std::string out;
    for (const auto& box : capture_.dialogs().boxes()) out += forms::ScriptedDialogService::consoleLine(box) + "\n";
    return out;
  }
};

}  // namespace tavrello::testing
