#include "platform/db/recordset.h"

#include <gtest/gtest.h>

#include "platform/db/db_failure.h"
#include "support_lib/failure_number.h"

namespace tavrello::db {
namespace {

std::shared_ptr<Recordset> threeRows() {
  Column id("ID", DataType::Integer), name("Name", DataType::Text);
  for (int i = 1; i <= 3; ++i) {
    id.appendInteger(i);
    name.appendText(i == 2 ? "Ωμέγα" : "row");
  }
  std::vector<Column> columns;
  columns.push_back(std::move(id));
  columns.push_back(std::move(name));
  return std::make_shared<Recordset>(std::move(columns));
}

void expectClosedFailure(const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), 3704);
    EXPECT_EQ(f.description(), "Operation is not allowed when the object is closed.");
  }
}

TEST(Recordset, NewOneIsClosedAndRefusesRowMembers) {
  Recordset rs;
  EXPECT_EQ(rs.State(), 0);
  expectClosedFailure([&] { (void)rs.Eof(); });
  expectClosedFailure([&] { (void)rs.RecordCount(); });
  expectClosedFailure([&] { (void)rs.fields(); });
  expectClosedFailure([&] { rs.MoveNext(); });
  expectClosedFailure([&] { rs.Close(); });
}

TEST(Recordset, OpensOnTheFirstRowAndWalksToEof) {
  auto rs = threeRows();
  EXPECT_EQ(rs->State(), 1);
  EXPECT_EQ(rs->RecordCount(), 3);
  EXPECT_FALSE(rs->Bof());
  int seen = 0;
  while (!rs->Eof()) {
    ++seen;
    EXPECT_EQ(rs->AbsolutePosition(), seen);
    EXPECT_EQ(rs->fields().Item(0).Value().integer, seen);
    rs->MoveNext();
  }
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(rs->AbsolutePosition(), -3);
  EXPECT_EQ(rs->position(), 3u);
  EXPECT_THROW(rs->MoveNext(), Failure);
  rs->MoveFirst();
  EXPECT_EQ(rs->position(), 0u);
}

TEST(Recordset, MovingBeforeTheFirstRowSetsBof) {
  auto rs = threeRows();
  rs->MovePrevious();
  EXPECT_TRUE(rs->Bof());
  EXPECT_EQ(rs->AbsolutePosition(), -2);
  try {
    (void)rs->fields().Item(0).Value();
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kNoCurrentRecord);
  }
  rs->MoveNext();
  EXPECT_EQ(rs->AbsolutePosition(), 1);
  rs->MoveLast();
  EXPECT_EQ(rs->fields().Item("name").Value().text, "row");
  rs->AbsolutePosition(2);
  EXPECT_EQ(rs->fields().Item("NAME").Value().display, "Ωμέγα");
  EXPECT_THROW(rs->AbsolutePosition(4), Failure);
}

TEST(Recordset, EmptyResultIsAtBofAndEofAtOnce) {
  std::vector<Column> columns;
  columns.emplace_back("x", DataType::Integer);
  Recordset rs(std::move(columns));
  EXPECT_TRUE(rs.Eof());
  EXPECT_TRUE(rs.Bof());
  EXPECT_EQ(rs.RecordCount(), 0);
  EXPECT_EQ(rs.fields().Count(), 1);
  EXPECT_THROW(rs.MoveLast(), Failure);
}

TEST(Recordset, FieldsComeInColumnOrderWithNamesAndTypes) {
  auto rs = threeRows();
  const Fields& fields = rs->fields();
  ASSERT_EQ(fields.Count(), 2);
  EXPECT_EQ(fields.Item(0).Name(), "ID");
  EXPECT_EQ(fields.Item(0).Type(), DataType::Integer);
  EXPECT_EQ(fields.Item(1).Name(), "Name");
  EXPECT_EQ(fields.Item(1).Type(), DataType::Text);
  try {
    fields.Item(2);
    FAIL() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number(), failure_number::kItemNotFound);
  }
  EXPECT_THROW(fields.Item("missing"), Failure);
  EXPECT_THROW(fields.Item(-1), Failure);
}

TEST(Recordset, CloseFreesTheRowsAndLaterReadsFail) {
  auto rs = threeRows();
  const Fields& fields = rs->fields();
  rs->Close();
  EXPECT_EQ(rs->State(), 0);
  expectClosedFailure([&] { (void)rs->Eof(); });
  expectClosedFailure([&] { (void)fields.Count(); });
  expectClosedFailure([&] { (void)rs->column(0); });
}

TEST(Recordset, RowsStayUnlessTheCallerLetsACopyReleaseThem) {
  auto kept = threeRows();
  EXPECT_FALSE(kept->ReleaseRowsWhenCopied());
  kept->releaseRows(1, 3);
  EXPECT_EQ(kept->fields().Item(1).Value().text, "row") << "without the flag the rows are the caller's";

  auto consumed = threeRows();
  consumed->ReleaseRowsWhenCopied(true);
  consumed->releaseRows(0, 3);
  consumed->releaseRows(1, 3);
  EXPECT_EQ(consumed->State(), 1);
  EXPECT_TRUE(consumed->Eof());
  EXPECT_EQ(consumed->RecordCount(), 3) << "the count stays exact";
  EXPECT_EQ(consumed->fields().Item(1).Name(), "Name");
  EXPECT_EQ(consumed->fields().Item(1).Type(), DataType::Text);
  EXPECT_EQ(consumed->column(1).size(), 0u);
  for (auto move : {&Recordset::MoveFirst, &Recordset::MoveLast, &Recordset::MoveNext, &Recordset::MovePrevious})
    EXPECT_EQ(tavrello::testing::failureNumber([&] { ((*consumed).*move)(); }), 3021);
  EXPECT_EQ(tavrello::testing::failureNumber([&] { consumed->AbsolutePosition(1); }), 3021);
  EXPECT_EQ(tavrello::testing::failureNumber([&] { (void)consumed->fields().Item(0).Value(); }), 3021);
  consumed->Close();
  EXPECT_EQ(consumed->State(), 0);
}

TEST(Recordset, NullFieldValueIsFlagged) {
  Column c("n", DataType::Decimal);
  c.appendNull();
  std::vector<Column> columns;
  columns.push_back(std::move(c));
  Recordset rs(std::move(columns));
  const Value v = rs.fields().Item(0).Value();
  EXPECT_TRUE(v.isNull);
  EXPECT_EQ(v.type, DataType::Decimal);
  EXPECT_EQ(v.display, "");
}

}  // namespace
}  // namespace tavrello::db
