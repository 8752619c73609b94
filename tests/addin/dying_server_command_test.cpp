// `tavrello import` when the PostgreSQL server process dies during the
// fetch: one box, one log entry, exit status 1, and the workbook already at
// the output path is left as it was; the next import works.

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "addin_fixture.h"
#include "platform/db/db_test_support.h"
#include "profiles/settings_format.h"
#include "support_lib/backend_killer.h"
#include "support_lib/host_run.h"

namespace tavrello {
namespace {

namespace fs = std::filesystem;
using testing::HostRun;

std::size_t countOf(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

class DyingServerCommand : public testing::AddinFixture {
 protected:
  void SetUp() override {
    std::ostringstream out;
    host::registerTavrello(host::programFolder(), out);
  }
  HostRun import(const std::string& sql) {
    return testing::runHost({"import", "--connection", "Warehouse", "--sql", sql, "--output", output().string()},
                            scratch_.path());
  }
  fs::path output() const { return scratch_ / "warehouse.xlsx"; }

  testing::TempDir scratch_;
};

TEST_F(DyingServerCommand, AnImportWhoseServerDiesSavesNothingAndTheNextOneWorks) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  testing::writeFile(capture_.settingsFile(), formatSettingsFile({{"Warehouse", cs}}));
  ASSERT_EQ(import("SELECT 1 AS one").status, 0);
  const std::string before = testing::readFile(output());

  HostRun died;
  {
    testing::BackendKiller killer(cs, "dying-import-command");
    died = import(testing::slowStatement("dying-import-command"));
    EXPECT_TRUE(killer.killed()) << killer.failure();
  }
  EXPECT_EQ(died.status, 1);
  EXPECT_EQ(countOf(died.err, "Critical: Tavrello: "), 1u) << died.err;
  EXPECT_NE(died.err.find("the import did not complete; nothing was saved"), std::string::npos) << died.err;
  EXPECT_EQ(countOf(capture_.log(), "[Tavrello]"), 1u) << capture_.log();
  EXPECT_TRUE(testing::readFile(output()) == before) << "the workbook was changed";

  EXPECT_EQ(import("SELECT 2 AS two").status, 0);
  EXPECT_FALSE(testing::readFile(output()) == before) << "the next import saved";
  EXPECT_EQ(countOf(capture_.log(), "[Tavrello]"), 1u);
}

}  // namespace
}  // namespace tavrello
