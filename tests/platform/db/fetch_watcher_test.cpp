// The watcher the host installs hears of the rows a statement reads and can
// stop a statement in the database, which then fails with 18.

#include "platform/db/fetch_watcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "db_test_support.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "support_lib/failure_number.h"
#include "support_lib/test_env.h"

namespace tavrello::db {
namespace {

// Records what it hears; asks to stop once `stopAfterRows` rows were read
// (0: at the first question).
class RecordingWatcher final : public FetchWatcher {
 public:
  explicit RecordingWatcher(std::int64_t stopAfterRows = -1)
      : stopAfterRows_(stopAfterRows), previous_(setFetchWatcher(this)) {}
  ~RecordingWatcher() override { setFetchWatcher(previous_); }

  void rowsFetched(std::int64_t rows) override { counts.push_back(rows); }
  bool cancelRequested() override {
    ++questions;
    return stopAfterRows_ >= 0 && (counts.empty() ? 0 : counts.back()) >= stopAfterRows_;
  }
  void fetchEnded() override { ++ended; }

  std::vector<std::int64_t> counts;
  int questions = 0;
  int ended = 0;

 private:
  std::int64_t stopAfterRows_;
  FetchWatcher* previous_;
};

class FetchWatcherTest : public ::testing::Test {
 protected:
  void SetUp() override { connection.Open(testing::nativeString(testing::newSqliteFile(dir))); }

  tavrello::testing::TempDir dir;
  Connection connection;
};

constexpr const char* kEndless =
    "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k LIMIT 100000000) SELECT i FROM k";

TEST_F(FetchWatcherTest, HearsGrowingRowCountsAndTheEnd) {
  RecordingWatcher watcher;
  auto result =
      connection.Execute("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 20000) SELECT i FROM k");
  EXPECT_EQ(result->RecordCount(), 20000);
  EXPECT_EQ(watcher.counts, (std::vector<std::int64_t>{4096, 8192, 12288, 16384}));
  EXPECT_EQ(watcher.ended, 1);
}

TEST_F(FetchWatcherTest, ACancelStopsAStatementThatReturnsRows) {
  RecordingWatcher watcher(8192);
  EXPECT_EQ(tavrello::testing::failureNumber([&] { connection.Execute(kEndless); }), 18);
  ASSERT_FALSE(watcher.counts.empty());
  EXPECT_LT(watcher.counts.back(), 100000) << "stopped soon after it was asked";
  EXPECT_EQ(watcher.ended, 1);
}

TEST_F(FetchWatcherTest, ACancelStopsAStatementThatComputesWithoutRowsAndTheConnectionStaysUsable) {
  {
    RecordingWatcher watcher(0);
    EXPECT_EQ(tavrello::testing::failureNumber([&] {
                connection.Execute(
                    "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 1000000000) "
                    "SELECT count(*) FROM k");
              }),
              18);
    EXPECT_GE(watcher.questions, 1);
  }
  EXPECT_EQ(connection.Execute("SELECT 7")->column(0).int64(0), 7);
}

// Asks to stop from the first question on, once `armed` is set.
class ArmedWatcher final : public FetchWatcher {
 public:
  ArmedWatcher() : previous_(setFetchWatcher(this)) {}
  ~ArmedWatcher() override { setFetchWatcher(previous_); }
  void rowsFetched(std::int64_t) override {}
  bool cancelRequested() override { return armed.load(); }
  void fetchEnded() override {}

  std::atomic<bool> armed{false};

 private:
  FetchWatcher* previous_;
};

TEST(FetchWatcherPostgres, ACancelStopsTheStatementOnTheServer) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection sleeper, observer;
  sleeper.Open(cs);
  observer.Open(cs);
  const auto sleeping = [&] {
    return observer.Execute("SELECT count(*) FROM pg_stat_activity WHERE query = 'SELECT pg_sleep(30)' AND "
                            "state = 'active'")
        ->column(0)
        .display(0);
  };
  ArmedWatcher watcher;
  std::thread canceller([&] {
    // Arms the watcher once the server runs the statement (at most 20 s).
    for (int i = 0; i < 200 && sleeping() == "0"; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    watcher.armed.store(true);
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(tavrello::testing::failureNumber([&] { sleeper.Execute("SELECT pg_sleep(30)"); }), 18);
  canceller.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(25)) << "stopped well before its end";
  EXPECT_EQ(sleeping(), "0") << "the server no longer runs it";
  EXPECT_EQ(sleeper.Execute("SELECT 5")->column(0).display(0), "5") << "the session stays usable";
}

TEST(FetchWatcherPostgres, HearsGrowingRowCountsOfAnOdbcFetch) {
  TAVRELLO_POSTGRES_OR_SKIP(cs);
  Connection connection;
  connection.Open(cs);
  RecordingWatcher watcher;
  EXPECT_EQ(connection.Execute("SELECT generate_series(1, 20000)")->RecordCount(), 20000);
  ASSERT_GE(watcher.counts.size(), 4u) << "a report every few thousand rows";
  for (std::size_t i = 1; i < watcher.counts.size(); ++i) EXPECT_GT(watcher.counts[i], watcher.counts[i - 1]);
  EXPECT_LE(watcher.counts.back(), 20000);
  EXPECT_EQ(watcher.ended, 1);
}

TEST_F(FetchWatcherTest, WithoutAWatcherNothingIsAsked) {
  EXPECT_EQ(fetchWatcher(), nullptr);
  EXPECT_EQ(connection.Execute("SELECT 1")->RecordCount(), 1);
}

}  // namespace
}  // namespace tavrello::db
