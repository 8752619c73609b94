// The user cancels a long Paste or Embed while its statement runs: the
// statement stops in the database, the error log gets one "UserCancel"
// entry and no box is shown, the sheet keeps what it had, and the import
// leaves through its common exit (the connection closed), so that the next
// import runs as usual.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

#include "import_fixture.h"
#include "platform/db/db_test_support.h"
#include "platform/db/fetch_watcher.h"
#include "platform/host/query_tables.h"
#include "platform/host/workbook/workbook_application.h"

namespace tavrello {
namespace {

using Clock = std::chrono::steady_clock;

// The user's Cancel, clicked once a statement has run for `after`, after
// the first `letThrough` statements have ended; asked from the provider's own
// thread too (ODBC), hence the atomics.
class UserCancel final : public db::FetchWatcher {
 public:
  explicit UserCancel(std::chrono::milliseconds after, int letThrough = 0)
      : after_(after), letThrough_(letThrough), previous_(db::setFetchWatcher(this)) {}
  ~UserCancel() override { db::setFetchWatcher(previous_); }
  UserCancel(const UserCancel&) = delete;
  UserCancel& operator=(const UserCancel&) = delete;

  void rowsFetched(std::int64_t) override {}
  bool cancelRequested() override {
    if (ended_ < letThrough_) return false;
    const Clock::rep now = Clock::now().time_since_epoch().count();
    Clock::rep unset = 0;
    started_.compare_exchange_strong(unset, now);
    if (!cancelled_ && now - started_ >= Clock::duration(after_).count()) {
      cancelledAt_ = now;
      cancelled_ = true;
    }
    return cancelled_;
  }
  void fetchEnded() override { ++ended_; }

  bool cancelled() const { return cancelled_; }
  Clock::time_point cancelledAt() const { return Clock::time_point(Clock::duration(cancelledAt_.load())); }

 private:
  std::chrono::milliseconds after_;
  int letThrough_;
  db::FetchWatcher* previous_;
  std::atomic<int> ended_{0};
  std::atomic<Clock::rep> started_{0};
  std::atomic<Clock::rep> cancelledAt_{0};
  std::atomic<bool> cancelled_{false};
};

constexpr const char* kEndlessCount =
    "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 4000000000) SELECT count(*) AS n FROM k";

class CancelledImport : public testing::ImportFixture {
 protected:
  void fillSheet() {
    app_->Range("A1")->Value(std::string("kept"));
    app_->Range("C3")->Value(42.0);
  }
  void expectSheetAsItWas(int queryTables = 0) {
    EXPECT_EQ(text("A1"), "kept");
    EXPECT_EQ(std::get<double>(at("C3")), 42.0);
    EXPECT_TRUE(empty("A2")) << "no row reached the sheet";
    EXPECT_TRUE(empty("B1"));
    EXPECT_EQ(activeSheet()->QueryTables()->Count(), queryTables);
    EXPECT_EQ(autoFilter(), "");
  }
  // The log holds this one entry and nothing else: its date and time
  // ("12/09/26 10:30:00", 17 characters), then the procedure and the number.
  void expectOneCancelEntry(const std::string& procedure) {
    const std::string entry = "  [Tavrello]formSQLNew." + procedure + ", Error 18: UserCancel\r\n\r\n";
    const std::string log = capture_.log();
    EXPECT_EQ(log.size(), 17 + entry.size()) << log;
    EXPECT_NE(log.find(entry), std::string::npos) << log;
  }
  // The next import on a new connection fills the sheet as usual: `n` = 1 .. 3
  // with its heading, from `address` down.
  void expectTheNextPasteWorks(const std::string& statement, const std::string& address) {
    formSQLNew& again =
        forms::SharedForm<formSQLNew>::exists() ? *forms::SharedForm<formSQLNew>::instance() : openWindow();
    again.CommandConnect.userClick();
    typeStatement(again, statement);
    pasteAt(again, address);
    again.CommandExcel.userClick();
    EXPECT_EQ(boxes(), "") << "no box";
    EXPECT_EQ(text(address), "n");
    EXPECT_EQ(text(app_->Range(address)->Offset(3, 0)->Address()), std::to_string(3.0));
  }
};

TEST_F(CancelledImport, PasteOfALongSqliteStatementStopsLeavesTheSheetAndLogsUserCancel) {
  fillSheet();
  formSQLNew& w = windowWith(kEndlessCount);
  pasteAt(w, "E5");
  UserCancel cancel(std::chrono::milliseconds(200));
  const Clock::time_point start = Clock::now();
  w.CommandExcel.userClick();
  ASSERT_TRUE(cancel.cancelled());
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(20)) << "the statement did not run to its end";
  EXPECT_EQ(boxes(), "") << "a cancel shows no box";
  expectOneCancelEntry("CommandExcel_Click");
  expectSheetAsItWas();
  EXPECT_TRUE(empty("E5"));
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr) << "the common exit closed the connection";

  expectTheNextPasteWorks("WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM k WHERE n < 3) SELECT n FROM k",
                          "G1");
  expectOneCancelEntry("CommandExcel_Click");
}

// As after any failure of its first refresh, the table already added stays
// on the sheet, empty: a later Refresh All fills it.
TEST_F(CancelledImport, EmbedCancelledInItsRefreshWritesNoRows) {
  fillSheet();
  // A statement of a second or so: the preparation runs it whole, and the
  // user cancels the table's own run, the host's first refresh.
  formSQLNew& w = windowWith(
      "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 3000000) SELECT count(*) AS n FROM k");
  pasteAt(w, "E5");
  w.TextEmbed.userSetText("Steps");
  {
    UserCancel cancel(std::chrono::milliseconds(0), 1);
    w.CommandEmbed.userClick();
    ASSERT_TRUE(cancel.cancelled()) << "the refresh ran";
  }
  EXPECT_EQ(boxes(), "");
  expectOneCancelEntry("CommandEmbed_Click");
  expectSheetAsItWas(1);
  EXPECT_TRUE(empty("E5"));
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);
}

TEST_F(CancelledImport, PasteFromPostgresStopsTheStatementOnTheServerAndTheNextImportWorks) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  saveConnections({{"Warehouse", cs}});
  fillSheet();
  formSQLNew& w = openWindow();
  w.CommandConnect.userClick();
  // Its own length of sleep, so that the server's list of statements tells it from other tests'.
  typeStatement(w, "SELECT pg_sleep(33) AS slept");
  pasteAt(w, "E5");
  Clock::time_point cancelledAt;
  {
    UserCancel cancel(std::chrono::milliseconds(300));
    w.CommandExcel.userClick();
    ASSERT_TRUE(cancel.cancelled());
    cancelledAt = cancel.cancelledAt();
  }
  EXPECT_LT(Clock::now() - cancelledAt, std::chrono::seconds(5)) << "the server stopped soon after the cancel";
  db::Connection observer;
  observer.Open(cs);
  EXPECT_EQ(observer
                .Execute("SELECT count(*) FROM pg_stat_activity WHERE query = 'SELECT pg_sleep(33) AS slept' AND "
                         "state = 'active'")
                ->column(0)
                .display(0),
            "0")
      << "the server no longer runs it";
  EXPECT_EQ(boxes(), "");
  expectOneCancelEntry("CommandExcel_Click");
  expectSheetAsItWas();
  EXPECT_EQ(MGlobals::gcnDatabase, nullptr);

  expectTheNextPasteWorks("SELECT g AS n FROM generate_series(1, 3) AS g ORDER BY g", "G1");
  expectOneCancelEntry("CommandExcel_Click");
}

}  // namespace
}  // namespace tavrello
