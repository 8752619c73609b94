// No password of a connection string, however it is written, reaches a saved
// workbook (any part of its package), a refresh's failure or the refresh
// command's output. The failures come from the real PostgreSQL server, given
// a wrong password.
#include <gtest/gtest.h>

#include <sstream>

#include "host/refresh_command.h"
#include "platform/db/db_test_support.h"
#include "platform/db/secrets.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/host/xlsx/zip_reader.h"
#include "support_lib/password_matrix.h"
#include "support_lib/test_env.h"

namespace tavrello::host {
namespace {

using testing::kPasswordMark;
using testing::passwordMatrix;
using testing::ScopedEnv;
using testing::TempDir;

// Whether any byte of the file, or of any part inflated, holds the mark.
::testing::AssertionResult packageHoldsNoPassword(const std::filesystem::path& file) {
  if (testing::readFile(file).find(kPasswordMark) != std::string::npos) {
    return ::testing::AssertionFailure() << file << " holds a password in its raw bytes";
  }
  xlsx::ZipReader zip(file, {});
  for (const auto& entry : zip.entries()) {
    if (zip.readAll(entry.name).find(kPasswordMark) != std::string::npos) {
      return ::testing::AssertionFailure() << "the part " << entry.name << " holds a password";
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult showsNoPassword(const std::string& text) {
  if (text.find(kPasswordMark) == std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "a password is shown: " << text;
}

class SecretsAudit : public ::testing::Test {
 protected:
  TempDir dir;
  std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();
  ScopedEnv noPassword{"TAVRELLO_PASSWORD", std::nullopt};

  std::shared_ptr<SheetQueryTable> tableOver(const std::shared_ptr<Book>& book, const std::string& connection,
                                             const std::string& name = "Audit") {
    auto sheet = book->sheets()[0];
    auto table = sheet->QueryTables()->Add(connection, sheet->Range("B2"), std::string("SELECT 1 AS one"));
    table->Name(name);
    return std::dynamic_pointer_cast<SheetQueryTable>(table);
  }
};

TEST_F(SecretsAudit, ASavedWorkbookHoldsNoPasswordInAnyPart) {
  for (const auto& c : passwordMatrix()) {
    SCOPED_TRACE(c.label);
    auto book = app->addBook();
    tableOver(book, "ODBC;" + testing::withPassword("DSN=Sales;UID=app;", c))->setResult({2, 2, 3, 2});
    // A password nested in the ODBC bridge's extended properties, too.
    tableOver(book, "OLEDB;Provider=MSDASQL;Extended Properties=" +
                        db::ConnectionString::quoteValue(testing::withPassword("DSN=Sales;", c)) + ";",
              "Nested")
        ->setResult({5, 2, 6, 2});
    const auto file = dir / ("audit " + c.label + ".xlsx");
    book->SaveAs(file.string());
    EXPECT_TRUE(packageHoldsNoPassword(file));
  }
}

TEST_F(SecretsAudit, RefreshFailuresFromTheServerShowNoPassword) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  const std::string server = db::hidePasswords(cs, db::PasswordHiding::Remove);
  for (const auto& c : passwordMatrix()) {
    SCOPED_TRACE(c.label);
    auto book = app->addBook();
    auto table = tableOver(book, "ODBC;" + testing::withPassword(server, c));
    try {
      table->Refresh(false);
      ADD_FAILURE() << "the server took a wrong password";
    } catch (const Failure& failure) {
      EXPECT_TRUE(showsNoPassword(failure.description()));
    }
    table->setResult({2, 2, 3, 2});
    const auto file = dir / "refresh.xlsx";
    book->SaveAs(file.string());
    EXPECT_TRUE(packageHoldsNoPassword(file));
    const std::string before = testing::readFile(file);

    // The workbook keeps no password: the refresh command asks for one.
    std::ostringstream out, err;
    std::vector<std::string> prompts;
    const RefreshIo io{out, err, [&](const std::string& prompt) {
                         prompts.push_back(prompt);
                         return std::optional<std::string>(c.password);
                       }};
    EXPECT_EQ(runRefresh({file.string()}, io), 1) << out.str() << err.str();
    EXPECT_EQ(prompts.size(), 1u);
    EXPECT_NE(err.str().find("could not be refreshed"), std::string::npos) << err.str();
    EXPECT_TRUE(showsNoPassword(out.str()));
    EXPECT_TRUE(showsNoPassword(err.str()));
    EXPECT_TRUE(testing::readFile(file) == before) << "a failed refresh saves nothing";
  }
}

}  // namespace
}  // namespace tavrello::host
