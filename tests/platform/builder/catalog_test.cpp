#include "platform/builder/catalog.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/builder/query_builder.h"
#include "platform/builder/shop_database.h"
#include "platform/db/connection.h"
#include "platform/db/db_test_support.h"

namespace tavrello::builder {
namespace {

std::vector<std::string> names(const std::vector<db::CatalogObject>& objects) {
  std::vector<std::string> out;
  for (const auto& o : objects) out.push_back(o.name);
  return out;
}

bool contains(const std::vector<std::string>& list, const std::string& name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

TEST(Catalog, ObjectTreeNodesCarryTheirFixedTexts) {
  EXPECT_STREQ(objectTreeNodeText(db::ObjectKind::Table), "Tables");
  EXPECT_STREQ(objectTreeNodeText(db::ObjectKind::View), "Views");
  EXPECT_STREQ(objectTreeNodeText(db::ObjectKind::Procedure), "Procedures");
  EXPECT_STREQ(objectTreeNodeText(db::ObjectKind::Synonym), "Synonyms");
}

TEST(Catalog, SqliteTablesViewsAndColumnsAreRead) {
  testing::TempDir dir;
  QueryBuilder builder;
  builder.ConnectionString(testing::createShopDatabase(dir / "shop.db"));
  builder.Connect();
  const Catalog& catalog = builder.catalog();
  EXPECT_EQ(names(catalog.objects(db::ObjectKind::Table)),
            (std::vector<std::string>{"Order Notes", "categories", "customers", "employees", "order_items", "orders",
                                      "products"}));
  EXPECT_EQ(names(catalog.objects(db::ObjectKind::View)), std::vector<std::string>{"customer_totals"});
  EXPECT_TRUE(catalog.objects(db::ObjectKind::Procedure).empty());
  EXPECT_TRUE(catalog.objects(db::ObjectKind::Synonym).empty());

  std::vector<std::string> orderColumns = catalog.columnNames({{"ORDERS", QuoteStyle::None}});
  EXPECT_EQ(orderColumns, (std::vector<std::string>{"order_id", "customer_id", "employee_id", "order_date", "status",
                                                    "freight"}));
  EXPECT_EQ(catalog.columnNames({{"customer_totals", QuoteStyle::None}}),
            (std::vector<std::string>{"customer_id", "name", "total"}));
  EXPECT_TRUE(catalog.columnNames({{"no_such_table", QuoteStyle::None}}).empty());
}

TEST(Catalog, ObjectsFromTheTreeAreWrittenQuotedAsTheDatabaseQuotes) {
  testing::TempDir dir;
  QueryBuilder builder;
  builder.ConnectionString(testing::createShopDatabase(dir / "shop.db"));
  builder.Connect();
  const auto& tables = builder.catalog().objects(db::ObjectKind::Table);
  builder.addCatalogObject(tables[0]);  // "Order Notes"
  builder.setColumnChecked(0, "Note Text", true);
  EXPECT_EQ(builder.FormattedSQL(), "SELECT \"Order Notes\".\"Note Text\" FROM \"Order Notes\"");
  ASSERT_EQ(builder.model().sources.size(), 1u);
  const auto& box = builder.model().sources[0].columns;
  ASSERT_EQ(box.size(), 4u);
  EXPECT_EQ(box[0].name, "*");
  EXPECT_FALSE(box[0].checked);
  EXPECT_EQ(box[3].name, "Note Text");
  EXPECT_TRUE(box[3].checked);
}

TEST(Catalog, AQueryBuiltFromTheTreeRunsOnTheDatabase) {
  testing::TempDir dir;
  std::string cs = testing::createShopDatabase(dir / "shop.db");
  QueryBuilder builder;
  builder.ConnectionString(cs);
  builder.Connect();
  const auto& tables = builder.catalog().objects(db::ObjectKind::Table);
  auto find = [&](const char* name) {
    return *std::find_if(tables.begin(), tables.end(), [&](const db::CatalogObject& o) { return o.name == name; });
  };
  builder.addCatalogObject(find("orders"));
  builder.addCatalogObject(find("customers"));
  builder.joinSources(0, "customer_id", 1, "customer_id");
  builder.setColumnChecked(1, "name", true);
  builder.setColumnChecked(0, "freight", true);
  builder.setAggregate(1, "SUM");
  builder.setSort(1, SortType::Descending);
  EXPECT_EQ(builder.FormattedSQL(),
            "SELECT customers.name, SUM(orders.freight)\n"
            "FROM orders INNER JOIN customers ON orders.customer_id = customers.customer_id\n"
            "GROUP BY customers.name ORDER BY SUM(orders.freight) DESC");
  db::Connection connection;
  connection.Open(cs);
  auto rs = connection.Execute(builder.FormattedSQL());
  EXPECT_EQ(testing::resultRows(*rs),
            (std::vector<std::string>{"Alfreds|162.5", "Chop-suey|32.75", "Bon App|0"}));
}

TEST(Catalog, PostgresTablesViewsProceduresAndColumnsAreRead) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  std::string table = db::testing::uniqueName("builder_orders");
  std::string view = db::testing::uniqueName("builder_totals");
  std::string function = db::testing::uniqueName("builder_double");
  db::Connection setup;
  setup.Open(cs);
  setup.Execute("CREATE TABLE " + table + " (order_id integer PRIMARY KEY, \"Customer Name\" varchar(40), total numeric(10,2))");
  setup.Execute("INSERT INTO " + table + " VALUES (1, 'Alfreds', 10.5), (2, 'Bon App', 20)");
  setup.Execute("CREATE VIEW " + view + " AS SELECT \"Customer Name\", SUM(total) AS amount FROM " + table +
                " GROUP BY \"Customer Name\"");
  setup.Execute("CREATE FUNCTION " + function + "(x integer) RETURNS integer AS 'SELECT x * 2' LANGUAGE SQL");
  struct Cleanup {
    db::Connection& c;
    std::string t, v, f;
    ~Cleanup() {
      try {
        c.Execute("DROP VIEW IF EXISTS " + v);
        c.Execute("DROP TABLE IF EXISTS " + t);
        c.Execute("DROP FUNCTION IF EXISTS " + f + "(integer)");
      } catch (const Failure&) {
      }
    }
  } cleanup{setup, table, view, function};

  QueryBuilder builder;
  builder.ConnectionString(cs);
  builder.Connect();
  const Catalog& catalog = builder.catalog();
  EXPECT_TRUE(contains(names(catalog.objects(db::ObjectKind::Table)), table));
  EXPECT_TRUE(contains(names(catalog.objects(db::ObjectKind::View)), view));
  EXPECT_TRUE(contains(names(catalog.objects(db::ObjectKind::Procedure)), function));
  EXPECT_EQ(catalog.columnNames({{table, QuoteStyle::None}}),
            (std::vector<std::string>{"order_id", "Customer Name", "total"}));

  const auto& tables = catalog.objects(db::ObjectKind::Table);
  auto it = std::find_if(tables.begin(), tables.end(), [&](const db::CatalogObject& o) { return o.name == table; });
  ASSERT_NE(it, tables.end());
  EXPECT_EQ(it->schema, "public");
  builder.addCatalogObject(*it);
  builder.setColumnChecked(0, "Customer Name", true);
  builder.setCriteria(0, "LIKE 'A%'");
  EXPECT_EQ(builder.FormattedSQL(), "SELECT " + table + ".\"Customer Name\" FROM " + table + "\nWHERE " + table +
                                        ".\"Customer Name\" LIKE 'A%'");
  auto rs = setup.Execute(builder.FormattedSQL());
  EXPECT_EQ(testing::resultRows(*rs), std::vector<std::string>{"Alfreds"});
}

}  // namespace
}  // namespace tavrello::builder
