// The table model over a worksheet of the workbook host: what each cell
// shows and how, read straight from the host's cell store.
#include <gtest/gtest.h>

#include <QBrush>
#include <QFont>

#include "day_fraction.h"
#include "gui/sheet_model.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/date_serial.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "qt_app.h"

namespace tavrello::gui {
namespace {

using testing::dayFraction;

class SheetModelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::qtApp(); }
  void SetUp() override {
    app = host::WorkbookApplication::create();
    book = app->addBook();
    sheet = book->activeSheet();
    model.setSheet(sheet);
  }

  QVariant at(const char* address, int role) {
    const auto range = sheet->Range(address);
    return model.data(model.index(range->Row() - 1, range->Column() - 1), role);
  }
  Qt::Alignment alignment(const char* address) {
    return at(address, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
  }

  std::shared_ptr<host::WorkbookApplication> app;
  std::shared_ptr<host::Book> book;
  std::shared_ptr<host::Sheet> sheet;
  SheetModel model;
};

TEST_F(SheetModelTest, CoversTheWholeGridOfTheHostsVersion) {
  EXPECT_EQ(model.rowCount(), 1048576);
  EXPECT_EQ(model.columnCount(), 16384);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "A");
  EXPECT_EQ(model.headerData(16383, Qt::Horizontal).toString(), "XFD");
  EXPECT_EQ(model.headerData(1048575, Qt::Vertical).toString(), "1048576");

  auto old = host::WorkbookApplication::create("11.0");
  SheetModel oldModel;
  oldModel.setSheet(old->addBook()->activeSheet());
  EXPECT_EQ(oldModel.rowCount(), 65536);
  EXPECT_EQ(oldModel.columnCount(), 256);
}

TEST_F(SheetModelTest, TypedValuesShowAsASpreadsheetShowsThem) {
  sheet->Range("A1")->Value(std::string("Name"));
  sheet->Range("B1")->Value(1234.5);
  sheet->Range("C1")->Value(true);
  sheet->Range("D1")->Value(host::DateTime{host::dateSerial(2024, 3, 1)});
  sheet->Range("E1")->Value(host::DateTime{host::dateSerial(2024, 3, 1) + dayFraction(14, 30, 0)});
  sheet->Range("F1")->Value(host::CellError::NA);

  EXPECT_EQ(at("A1", Qt::DisplayRole).toString(), "Name");
  EXPECT_EQ(at("B1", Qt::DisplayRole).toString(), "1234.5");
  EXPECT_EQ(at("C1", Qt::DisplayRole).toString(), "TRUE");
  EXPECT_EQ(at("D1", Qt::DisplayRole).toString(), "2024-03-01");
  EXPECT_EQ(at("E1", Qt::DisplayRole).toString(), "2024-03-01 14:30:00");
  EXPECT_EQ(at("F1", Qt::DisplayRole).toString(), "#N/A");
  EXPECT_EQ(at("G1", Qt::DisplayRole).toString(), "");

  EXPECT_EQ(alignment("A1"), Qt::AlignLeft);
  EXPECT_EQ(alignment("B1"), Qt::AlignRight) << "numbers are right-aligned";
  EXPECT_EQ(alignment("C1"), Qt::AlignHCenter);
  EXPECT_EQ(alignment("D1"), Qt::AlignRight) << "dates are numbers too";
  EXPECT_EQ(alignment("F1"), Qt::AlignHCenter);

  EXPECT_EQ(at("B1", Qt::EditRole).toString(), "1234.5");
  EXPECT_EQ(at("D1", Qt::EditRole).toString(), "2024-03-01");
}

TEST_F(SheetModelTest, TypingIntoACellWritesTheTypedValueToTheHost) {
  const QModelIndex b2 = model.index(1, 1);
  EXPECT_TRUE(model.setData(b2, QStringLiteral("42")));
  EXPECT_EQ(sheet->Range("B2")->Value(), host::CellValue(42.0));
  EXPECT_TRUE(model.setData(b2, QStringLiteral("2024-12-24")));
  EXPECT_EQ(sheet->Range("B2")->Value(), host::CellValue(host::DateTime{host::dateSerial(2024, 12, 24)}));
  EXPECT_EQ(model.data(b2).toString(), "2024-12-24");
  EXPECT_TRUE(model.setData(b2, QString()));
  EXPECT_EQ(sheet->Range("B2")->Value(), host::CellValue(std::monostate{}));
}

TEST_F(SheetModelTest, TableDesignsShowTheirFillsFontsAndBorders) {
  sheet->Range("A1")->Value(std::string("Id"));
  sheet->Range("B1")->Value(std::string("Name"));
  sheet->Range("A2")->Value(1.0);
  sheet->Range("A3")->Value(2.0);
  host::AutoFormatOptions options;
  options.Format = host::RangeAutoFormat::List2;
  sheet->Range("A1:B3")->AutoFormat(options);

  const CellLook heading = model.look(0, 0);
  ASSERT_TRUE(heading.fill.has_value());
  EXPECT_EQ(heading.fill->rgb() & 0xFFFFFF, 0x008000u);
  EXPECT_EQ(heading.textColor.rgb() & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_TRUE(heading.font.bold());
  EXPECT_EQ(heading.bottom.width, 1);
  EXPECT_EQ(heading.alignment & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(at("A1", Qt::BackgroundRole).value<QBrush>().color().rgb() & 0xFFFFFF, 0x008000u);
  EXPECT_TRUE(at("A1", Qt::FontRole).value<QFont>().bold());

  EXPECT_FALSE(model.look(1, 0).fill.has_value()) << "first body row is plain";
  ASSERT_TRUE(model.look(2, 0).fill.has_value()) << "second body row is banded";
  EXPECT_EQ(model.look(2, 0).fill->rgb() & 0xFFFFFF, 0xCCFFCCu);
  EXPECT_FALSE(model.look(1, 0).font.bold());
}

TEST_F(SheetModelTest, AutoFilterHeadingCellsAreMarked) {
  sheet->Range("B2:D5")->AutoFilter();
  EXPECT_TRUE(at("B2", SheetModel::AutoFilterHeadingRole).toBool());
  EXPECT_TRUE(at("D2", SheetModel::AutoFilterHeadingRole).toBool());
  EXPECT_FALSE(at("E2", SheetModel::AutoFilterHeadingRole).toBool());
  EXPECT_FALSE(at("B3", SheetModel::AutoFilterHeadingRole).toBool());
  sheet->Range("B2:D5")->AutoFilter();
  EXPECT_FALSE(at("B2", SheetModel::AutoFilterHeadingRole).toBool()) << "switched off again";
}

TEST_F(SheetModelTest, ReadsOnlyTheCellsItIsAskedFor) {
  sheet->cells().fillColumn(1, 1, 1048576, [](std::int32_t row, host::Cell& cell) { cell.setNumber(row); });
  model.setSheet(sheet);
  EXPECT_EQ(model.data(model.index(1048575, 0)).toString(), "1048576");
  EXPECT_EQ(model.cellsRead(), 1);
}

}  // namespace
}  // namespace tavrello::gui
