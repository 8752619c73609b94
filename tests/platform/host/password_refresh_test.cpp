#include "platform/host/workbook/password_refresh.h"

#include <gtest/gtest.h>

#include "platform/db/connection_string.h"
#include "platform/db/db_test_support.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::host {
namespace {

// A live server is the only honest check that the password asked for is the
// one the connection opens with.
class PasswordRefresh : public ::testing::Test {
 protected:
  SheetQueryTable& tableWithoutPassword(const std::string& connectionString) {
    const std::string withoutPassword = db::ConnectionString::parse(connectionString).without("Pwd");
    app->Workbooks()->Add();
    app->ActiveSheet()->QueryTables()->Add(std::string("ODBC;" + withoutPassword), app->Range("A1"),
                                           std::string("SELECT 42 AS answer"));
    SheetQueryTable& table = *app->activeBook()->activeSheet()->queryTables().front();
    table.SavePassword(false);
    stored = joinConnection(table.Connection());
    return table;
  }

  PasswordAsker answering(std::optional<std::string> password) {
    return [this, password] {
      ++asked;
      return password;
    };
  }

  std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();
  std::string stored;
  int asked = 0;
};

TEST_F(PasswordRefresh, TheAskedPasswordOpensTheConnectionAndIsNotKept) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  SheetQueryTable& table = tableWithoutPassword(cs);
  EXPECT_TRUE(refreshAskingPassword(table, answering(db::ConnectionString::parse(cs).get("Pwd"))));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(app->Range("A2")->Value(), CellValue(42.0));
  EXPECT_EQ(joinConnection(table.Connection()), stored);
}

TEST_F(PasswordRefresh, AWrongPasswordFailsAndACancelRefreshesNothing) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  SheetQueryTable& table = tableWithoutPassword(cs);
  EXPECT_THROW(refreshAskingPassword(table, answering("not-the-password")), Failure);
  EXPECT_EQ(joinConnection(table.Connection()), stored) << "the wrong password is not kept either";
  EXPECT_FALSE(refreshAskingPassword(table, answering(std::nullopt)));
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(app->Range("A2")->Value(), CellValue()) << "nothing was refreshed";
}

TEST_F(PasswordRefresh, NoOneIsAskedWhenThePasswordIsSavedOrNotNeeded) {
  tavrello::testing::TempDir dir;
  const std::string file = db::testing::newSqliteFile(dir);
  app->Workbooks()->Add();
  app->ActiveSheet()->QueryTables()->Add(std::string("OLEDB;" + db::testing::nativeString(file)), app->Range("A1"),
                                         std::string("SELECT 1 AS one"));
  SheetQueryTable& table = *app->activeBook()->activeSheet()->queryTables().front();
  table.SavePassword(false);
  EXPECT_TRUE(refreshAskingPassword(table, answering(std::nullopt))) << "no user named: nothing to ask";
  table.Connection(std::string("ODBC;Driver=SQLite3;Database=" + file + ";UID=me"));
  table.SavePassword(true);
  EXPECT_TRUE(refreshAskingPassword(table, answering(std::nullopt))) << "the workbook keeps its own password";
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(app->Range("A2")->Value(), CellValue(1.0));
}

}  // namespace
}  // namespace tavrello::host
