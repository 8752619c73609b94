// The PostgreSQL server process dies while Paste fetches its rows: the
// import fails with one clear box and one log entry, the sheet keeps what it
// had, and the next statement on the same connection imports as usual.

#include <gtest/gtest.h>

#include "import_fixture.h"
#include "platform/db/db_test_support.h"
#include "support_lib/backend_killer.h"

namespace tavrello {
namespace {

std::size_t countOf(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
  return count;
}

class DyingServerImport : public testing::ImportFixture {};

TEST_F(DyingServerImport, ABackendKilledDuringTheFetchFailsOnceAndTheNextImportWorks) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  saveConnections({{"Warehouse", cs}});
  app_->Range("A1")->Value(std::string("kept"));
  app_->Range("B3")->Value(42.0);
  formSQLNew& w = openWindow();
  w.CommandConnect.userClick();
  typeStatement(w, testing::slowStatement("dying-import"));
  pasteAt(w, "A1");
  {
    testing::BackendKiller killer(cs, "dying-import");
    w.CommandExcel.userClick();
    EXPECT_TRUE(killer.killed()) << killer.failure();
  }
  const std::string shown = boxes();
  EXPECT_EQ(countOf(shown, "\n"), 1u) << shown;
  EXPECT_NE(shown.find("Critical: "), std::string::npos) << shown;
  EXPECT_TRUE(shown.find("terminat") != std::string::npos || shown.find("closed") != std::string::npos)
      << "the box says the server ended the session: " << shown;
  EXPECT_EQ(countOf(capture_.log(), "[Tavrello]"), 1u) << capture_.log();
  EXPECT_EQ(text("A1"), "kept");
  EXPECT_EQ(std::get<double>(at("B3")), 42.0);
  EXPECT_TRUE(empty("A2")) << "no row of the failed fetch reached the sheet";
  EXPECT_TRUE(empty("B2"));

  formSQLNew& again = forms::SharedForm<formSQLNew>::exists() ? *forms::SharedForm<formSQLNew>::instance() : openWindow();
  again.CommandConnect.userClick();
  typeStatement(again, "SELECT g AS n FROM generate_series(1, 3) AS g ORDER BY g");
  pasteAt(again, "D1");
  again.CommandExcel.userClick();
  EXPECT_EQ(boxes(), shown) << "no new box";
  EXPECT_EQ(text("D1"), "n");
  EXPECT_EQ(std::get<double>(at("D4")), 3.0);
  EXPECT_EQ(countOf(capture_.log(), "[Tavrello]"), 1u) << "the second import logged nothing";
}

}  // namespace
}  // namespace tavrello
