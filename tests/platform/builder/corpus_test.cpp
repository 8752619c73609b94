// Real-world statements, one per file in corpus/, run through the parser and
// the formatter. Files named sqlite_*.sql are SQLite SQL and are also run
// against a shop database, before and after formatting.

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/builder/formatter.h"
#include "platform/builder/parser.h"
#include "platform/builder/shop_database.h"
#include "platform/db/connection.h"

namespace tavrello::builder {
namespace {

namespace fs = std::filesystem;

fs::path corpusDir() {
  if (const char* source = std::getenv("TAVRELLO_SOURCE_DIR")) {
    return fs::path(source) / "tests" / "platform" / "builder" / "corpus";
  }
  return fs::path(__FILE__).parent_path() / "corpus";
}

std::vector<fs::path> corpusFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(corpusDir())) {
    if (entry.path().extension() == ".sql") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool isSqlite(const fs::path& file) { return file.filename().string().rfind("sqlite_", 0) == 0; }

TEST(Corpus, HoldsAtLeastAHundredStatementsOfEveryDialect) {
  auto files = corpusFiles();
  EXPECT_GE(files.size(), 100u);
  for (const char* prefix : {"sqlite_", "postgres_", "mssql_", "mariadb_"}) {
    EXPECT_TRUE(std::any_of(files.begin(), files.end(), [&](const fs::path& f) {
      return f.filename().string().rfind(prefix, 0) == 0;
    })) << prefix;
  }
}

TEST(Corpus, EveryStatementParsesFormatsAndParsesBackToTheSameQuery) {
  for (const fs::path& file : corpusFiles()) {
    SCOPED_TRACE(file.filename().string());
    std::string text = testing::readFile(file);
    try {
      auto query = parseStatement(text);
      ASSERT_TRUE(query);
      std::string formatted = formatStatement(query);
      auto again = parseStatement(formatted);
      EXPECT_TRUE(again == query) << "formatted as:\n" << formatted;
      EXPECT_EQ(formatStatement(again), formatted) << "formatting is not idempotent";
    } catch (const Failure& f) {
      ADD_FAILURE() << f.toString();
    }
  }
}

TEST(Corpus, SqliteStatementsGiveTheSameRowsBeforeAndAfterFormatting) {
  testing::TempDir dir;
  std::string connectionString = testing::createShopDatabase(dir / "shop.db");
  db::Connection connection;
  connection.Open(connectionString);
  int run = 0;
  for (const fs::path& file : corpusFiles()) {
    if (!isSqlite(file)) continue;
    SCOPED_TRACE(file.filename().string());
    std::string text = testing::readFile(file);
    try {
      auto before = connection.Execute(text);
      std::string formatted = formatStatement(parseStatement(text));
      auto after = connection.Execute(formatted);
      auto rowsBefore = testing::resultRows(*before);
      auto rowsAfter = testing::resultRows(*after);
      std::sort(rowsBefore.begin(), rowsBefore.end());
      std::sort(rowsAfter.begin(), rowsAfter.end());
      EXPECT_EQ(rowsBefore, rowsAfter) << "formatted as:\n" << formatted;
      ++run;
    } catch (const Failure& f) {
      ADD_FAILURE() << f.toString();
    }
  }
  EXPECT_GE(run, 60);
}

}  // namespace
}  // namespace tavrello::builder
