#include "platform/db/connection_string.h"

#include <gtest/gtest.h>

#include "platform/db/db_failure.h"

namespace tavrello::db {
namespace {

std::string failureOf(const std::string& text) {
  try {
    ConnectionString::parse(text);
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kArguments);
    return f.description();
  }
  ADD_FAILURE() << "no failure for " << text;
  return {};
}

TEST(ConnectionString, KeysAreTrimmedAndFoundWithoutRegardToCase) {
  auto cs = ConnectionString::parse("  Provider = SQLite ; DATA SOURCE=/tmp/a b.db;");
  ASSERT_EQ(cs.pairs().size(), 2u);
  EXPECT_EQ(cs.pairs()[0].key, "Provider");
  EXPECT_EQ(cs.get("provider"), "SQLite");
  EXPECT_EQ(cs.get("data source"), "/tmp/a b.db");
  EXPECT_FALSE(cs.get("Mode").has_value());
}

TEST(ConnectionString, BracedValuesKeepSemicolonsAndDoubledClosingBraces) {
  auto cs = ConnectionString::parse("Driver={PostgreSQL Unicode};Pwd={a;b}}c=d};Server=x");
  EXPECT_EQ(cs.get("Driver"), "PostgreSQL Unicode");
  EXPECT_EQ(cs.get("Pwd"), "a;b}c=d");
  EXPECT_EQ(cs.get("Server"), "x");
}

TEST(ConnectionString, QuotedValuesKeepSemicolonsAndDoubledQuotes) {
  auto cs = ConnectionString::parse("A=\"x;y\"\"z\";B='it''s; fine' ;C= plain value ");
  EXPECT_EQ(cs.get("A"), "x;y\"z");
  EXPECT_EQ(cs.get("B"), "it's; fine");
  EXPECT_EQ(cs.get("C"), "plain value");
}

TEST(ConnectionString, EmptyPairsAndEmptyValuesAreAllowed) {
  auto cs = ConnectionString::parse(";;DSN=sales;; ;UID=;");
  ASSERT_EQ(cs.pairs().size(), 2u);
  EXPECT_EQ(cs.get("UID"), "");
  EXPECT_TRUE(ConnectionString::parse("").pairs().empty());
  EXPECT_TRUE(ConnectionString::parse(" ; ").pairs().empty());
}

TEST(ConnectionString, FirstOccurrenceOfARepeatedKeyCounts) {
  EXPECT_EQ(ConnectionString::parse("DSN=a;dsn=b").get("DSN"), "a");
}

TEST(ConnectionString, MalformedStringsSayWhatAndWhere) {
  EXPECT_EQ(failureOf("DSN=x;Driver={SQL Server"),
            "The connection string is malformed: the value of 'Driver' opened with a brace is not closed at character 14.");
  EXPECT_EQ(failureOf("A=\"open"),
            "The connection string is malformed: the value of 'A' opened with a quote is not closed at character 3.");
  EXPECT_EQ(failureOf("DSN=x;justtext;UID=u"), "The connection string is malformed: a pair has no '=' at character 7.");
  EXPECT_EQ(failureOf("DSN=x;lonely"), "The connection string is malformed: a pair has no '=' at character 7.");
  EXPECT_EQ(failureOf("=value"), "The connection string is malformed: a pair has no key before '=' at character 1.");
  EXPECT_EQ(failureOf("Driver={x}y;"),
            "The connection string is malformed: unexpected text after the closing brace of 'Driver' at character 11.");
}

TEST(ConnectionString, MalformedPasswordIsNeverRepeated) {
  EXPECT_EQ(failureOf("Pwd={s3cr3t").find("s3cr3t"), std::string::npos);
  EXPECT_EQ(failureOf("Pwd={s3cr3t}tail").find("s3cr3t"), std::string::npos);
}

TEST(ConnectionString, WithoutCutsEveryPairOfTheKeyAndKeepsTheRestVerbatim) {
  auto cs = ConnectionString::parse("Provider=MSDASQL.1;Driver={My Driver};provider=again; Server = s ;");
  EXPECT_EQ(cs.without("PROVIDER"), "Driver={My Driver}; Server = s ;");
}

TEST(ConnectionString, QuotedValuesParseBackToThemselves) {
  for (std::string value : {"plain", "a;b", "{braced}", "x}}y", " padded ", "it's \"q\"", ""}) {
    auto cs = ConnectionString::parse("K=" + ConnectionString::quoteValue(value) + ";N=1");
    EXPECT_EQ(cs.get("K"), value) << value;
    EXPECT_EQ(cs.get("N"), "1") << value;
  }
}

}  // namespace
}  // namespace tavrello::db
