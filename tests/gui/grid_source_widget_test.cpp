#include "gui/grid_source_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

#include "platform/forms/data_grid.h"
#include "qt_app.h"
#include "support_lib/test_env.h"

namespace tavrello {
namespace {

// A million rows that exist only as a formula.
class Numbers : public forms::GridSource {
 public:
  int columnCount() const override { return 3; }
  std::string columnName(int column) const override { return column == 0 ? "n" : column == 1 ? "square" : "label"; }
  std::int64_t rowCount() const override { return 1048575; }
  std::string cellText(std::int64_t row, int column) const override {
    if (column == 0) return std::to_string(row + 1);
    if (column == 1) return std::to_string((row + 1) * (row + 1));
    return "row " + std::to_string(row + 1);
  }
  forms::GridAlignment columnAlignment(int column) const override {
    return column < 2 ? forms::GridAlignment::Right : forms::GridAlignment::Left;
  }
};

class GridSourceWidgetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override {
    grid.resize(500, 300);
    grid.setSource(std::make_shared<Numbers>());
    grid.show();
    testing::settle();
  }
  gui::GridSourceWidget grid;
};

TEST_F(GridSourceWidgetTest, AMillionRowsPaintOnlyWhatIsOnScreen) {
  EXPECT_EQ(grid.rowCount(), 1048575);
  EXPECT_EQ(grid.header()->count(), 3);
  EXPECT_EQ(grid.header()->model()->headerData(1, Qt::Horizontal).toString(), "square");
  const std::int64_t before = grid.cellsRead();
  grid.viewport()->repaint();
  const std::int64_t screen = grid.cellsRead() - before;
  EXPECT_GT(screen, 0);
  EXPECT_LE(screen, 3 * (300 / grid.rowHeight() + 2)) << "one screenful of cells";

  grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
  grid.viewport()->repaint();
  EXPECT_GE(grid.firstVisibleRow() + 300 / grid.rowHeight(), 1048575 - 2) << "the last rows can be reached";

  const auto shot = testing::artefactDir() / "grid_source_widget.png";
  grid.verticalScrollBar()->setValue(0);
  EXPECT_TRUE(grid.grab().save(QString::fromStdString(shot.string())));
}

TEST_F(GridSourceWidgetTest, TheKeysMoveTheCurrentCellAndKeepItOnScreen) {
  grid.setFocus();
  QTest::keyClick(&grid, Qt::Key_Down);
  QTest::keyClick(&grid, Qt::Key_Right);
  EXPECT_EQ(grid.currentRow(), 1);
  EXPECT_EQ(grid.currentColumn(), 1);
  QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid.currentRow(), 1048574);
  EXPECT_EQ(grid.currentColumn(), 2);
  EXPECT_LE(grid.firstVisibleRow(), 1048574);
  EXPECT_GT(grid.firstVisibleRow(), 1048574 - 300 / grid.rowHeight());
  QTest::keyClick(&grid, Qt::Key_PageDown);
  EXPECT_EQ(grid.currentRow(), 1048574) << "no row past the last";
  QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid.currentRow(), 0);
  EXPECT_EQ(grid.firstVisibleRow(), 0);
  QTest::keyClick(&grid, Qt::Key_Right);
  QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "1");
}

TEST_F(GridSourceWidgetTest, AClickChoosesTheCellUnderTheMouse) {
  const int x = grid.header()->sectionViewportPosition(2) + 5;
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(x, grid.rowHeight() * 3 + 2));
  EXPECT_EQ(grid.currentRow(), 3);
  EXPECT_EQ(grid.currentColumn(), 2);
}

TEST_F(GridSourceWidgetTest, WithoutASourceTheGridIsEmpty) {
  grid.setSource(nullptr);
  grid.viewport()->repaint();
  EXPECT_EQ(grid.rowCount(), 0);
  EXPECT_EQ(grid.header()->count(), 0);
  QTest::keyClick(&grid, Qt::Key_Down);
  EXPECT_EQ(grid.currentRow(), 0);
}

}  // namespace
}  // namespace tavrello
