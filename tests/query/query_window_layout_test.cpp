#include <gtest/gtest.h>

#include "support_lib/query_window_fixture.h"

namespace tavrello {
namespace {

class QueryWindowLayout : public testing::QueryWindowFixture {};

TEST_F(QueryWindowLayout, TheWorkAreaFollowsTheWindowSize) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();
  w.userResize(12000, 7000);
  // Two thirds of the height below the top band for the builder, 4/19 of it
  // for the statement box, in single precision.
  const float builderHeight = (7000.0F - 1000.0F) / 6.0F * 4.0F;
  const float textHeight = (7000.0F - 1000.0F) / 9.5F * 2.0F;
  EXPECT_FLOAT_EQ(w.SQLBuilder.Top(), 450);
  EXPECT_FLOAT_EQ(w.SQLBuilder.Left(), 100);
  EXPECT_FLOAT_EQ(w.SQLBuilder.Height(), builderHeight);
  EXPECT_FLOAT_EQ(w.SQLBuilder.Width(), 12000 - 550);
  EXPECT_FLOAT_EQ(w.TextSQL.Top(), 450 + builderHeight + 10);
  EXPECT_FLOAT_EQ(w.TextSQL.Height(), textHeight);
  EXPECT_FLOAT_EQ(w.TextSQL.Width(), 12000 - 550);
  EXPECT_FLOAT_EQ(w.SSTab1.Top(), 950);
  EXPECT_FLOAT_EQ(w.SSTab1.Left(), 90);
  EXPECT_FLOAT_EQ(w.SSTab1.Height(), builderHeight + textHeight + 500);
  EXPECT_FLOAT_EQ(w.SSTab1.Left() + w.SSTab1.Width(), 12000) << "the tab control reaches the right edge";
  EXPECT_FLOAT_EQ(w.DataGrid.Top(), 450);
  EXPECT_FLOAT_EQ(w.DataGrid.Height(), builderHeight + textHeight);
  EXPECT_FLOAT_EQ(w.DataGrid.Width(), w.SQLBuilder.Width());
}

TEST_F(QueryWindowLayout, AMinimisedWindowGivesNoNegativeSizes) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();
  w.userResize(300, 400);
  for (forms::Control* c : {static_cast<forms::Control*>(&w.SQLBuilder), static_cast<forms::Control*>(&w.TextSQL),
                            static_cast<forms::Control*>(&w.SSTab1), static_cast<forms::Control*>(&w.DataGrid)}) {
    EXPECT_GE(c->Width(), 0) << c->Name();
    EXPECT_GE(c->Height(), 0) << c->Name();
  }
  EXPECT_TRUE(capture_.dialogs().boxes().empty());
}

TEST_F(QueryWindowLayout, ResizingOnTheResultPageWaitsForTheQueryPage) {
  saveShopAndBroken();
  formSQLNew& w = openWindow();
  w.SSTab1.Tab(1);
  const float before = w.SQLBuilder.Height();
  w.userResize(12000, 7000);
  EXPECT_FLOAT_EQ(w.SQLBuilder.Height(), before);
  w.SSTab1.Tab(0);
  w.userResize(12000, 7001);
  EXPECT_NE(w.SQLBuilder.Height(), before);
}

}  // namespace
}  // namespace tavrello
