// No password of a saved connection, however it is written, is shown by the
// host program: not by `tavrello connection list`, not in a box (a line on
// standard error), not in what a headless import prints, not in the error
// log, and not in any part of a workbook an import saved. The failures come
// from the real PostgreSQL server, given a wrong password.

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "addin_fixture.h"
#include "platform/db/db_test_support.h"
#include "platform/db/secrets.h"
#include "platform/host/xlsx/zip_reader.h"
#include "profiles/settings_format.h"
#include "support_lib/host_run.h"
#include "support_lib/password_matrix.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::HostRun;
using testing::kPasswordMark;
using testing::passwordMatrix;

::testing::AssertionResult showsNoSecret(const std::string& text, const std::string& secret) {
  if (text.find(secret) == std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "'" << secret << "' is shown: " << text;
}

::testing::AssertionResult packageHoldsNo(const fs::path& file, const std::string& secret) {
  if (testing::readFile(file).find(secret) != std::string::npos) {
    return ::testing::AssertionFailure() << file << " holds '" << secret << "' in its raw bytes";
  }
  host::xlsx::ZipReader zip(file, {});
  for (const auto& entry : zip.entries()) {
    if (zip.readAll(entry.name).find(secret) != std::string::npos) {
      return ::testing::AssertionFailure() << "the part " << entry.name << " holds '" << secret << "'";
    }
  }
  return ::testing::AssertionSuccess();
}

class SecretsAuditCommand : public testing::AddinFixture {
 protected:
  void SetUp() override {
    std::ostringstream out;
    host::registerTavrello(host::programFolder(), out);
  }

  // One saved connection per case, named after it, over `base`.
  void saveMatrix(const std::string& base) {
    std::vector<ConnectionProfile> rows;
    for (const auto& c : passwordMatrix()) rows.push_back({c.label, testing::withPassword(base, c)});
    testing::writeFile(capture_.settingsFile(), formatSettingsFile(rows));
  }

  HostRun run(std::vector<std::string> arguments) { return testing::runHost(arguments, scratch_.path()); }
  fs::path out(const std::string& name) const { return scratch_ / name; }

  void expectNothingShown(const HostRun& run, const std::string& secret) {
    EXPECT_TRUE(showsNoSecret(run.out, secret));
    EXPECT_TRUE(showsNoSecret(run.err, secret));
    EXPECT_TRUE(showsNoSecret(capture_.log(), secret));
  }

  testing::TempDir scratch_;
};

TEST_F(SecretsAuditCommand, TheConnectionListShowsEveryConnectionWithoutItsPassword) {
  saveMatrix("Driver={PostgreSQL Unicode};Server=db.example;UID=app;");
  const HostRun listed = run({"connection", "list"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  for (const auto& c : passwordMatrix()) EXPECT_NE(listed.out.find(c.label + "\t"), std::string::npos) << listed.out;
  expectNothingShown(listed, kPasswordMark);
}

TEST_F(SecretsAuditCommand, AnImportRefusedByTheServerShowsNoPassword) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  saveMatrix(db::hidePasswords(cs, db::PasswordHiding::Remove));
  for (const auto& c : passwordMatrix()) {
    SCOPED_TRACE(c.label);
    const HostRun imported = run({"import", "--connection", c.label, "--sql", "SELECT 1 AS one", "--embed", "Audit",
                                  "--output", out("audit.xlsx").string()});
    EXPECT_EQ(imported.status, 1) << imported.err;
    EXPECT_NE(imported.err.find("Critical: Tavrello: "), std::string::npos) << imported.err;
    expectNothingShown(imported, kPasswordMark);
    EXPECT_FALSE(fs::exists(out("audit.xlsx")));
  }
  EXPECT_NE(capture_.log(), "") << "the failures were logged";
}

TEST_F(SecretsAuditCommand, AWorkbookAnImportEmbedsInHoldsNoPassword) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  const std::string password = db::ConnectionString::parse(cs).get("PWD").value_or("");
  ASSERT_GE(password.size(), 4u) << "the test server's connection has a password";
  const std::string base = db::hidePasswords(cs, db::PasswordHiding::Remove);
  // The ways of writing it that the PostgreSQL driver takes.
  const std::vector<std::string> ways = {"PWD=" + password + ";", "pwd=" + password + ";",
                                         "Password={" + password + "};", "Password=" + password};
  for (const std::string& way : ways) {
    SCOPED_TRACE(way);
    testing::writeFile(capture_.settingsFile(), formatSettingsFile({{"Warehouse", base + way}}));
    const HostRun imported = run({"import", "--connection", "Warehouse", "--sql",
                                  "SELECT g AS n FROM generate_series(1, 3) AS g ORDER BY g", "--embed", "Numbers",
                                  "--output", out("numbers.xlsx").string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    expectNothingShown(imported, password);
    EXPECT_TRUE(packageHoldsNo(out("numbers.xlsx"), password));
    fs::remove(out("numbers.xlsx"));
  }
}

}  // namespace
}  // namespace tavrello
