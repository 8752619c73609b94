// Times the host window over a full sheet: 1,048,576 rows by 6 columns
// (numbers, texts, dates, truth values) with a table design, offscreen.
//
//   window_bench [--rows N]
//
// Figures: the time from an empty window to the first painted frame of the
// sheet, to Ctrl+End (the last row on screen, painted), and per frame while
// paging down and while jumping to random rows; the cells the model was asked
// for per frame. Goal: every frame well under 50 ms, and the cells read per
// frame about what one screenful shows, whatever the sheet's size.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "gui/host_window.h"
#include "gui/sheet_model.h"
#include "gui/sheet_view.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_range.h"
#include "platform/host/workbook/workbook_application.h"

namespace {

using namespace tavrello;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the window handle what is pending, which paints what changed, as a
// screen refresh would.
void paintNow(gui::HostWindow&) { QCoreApplication::processEvents(); }

void fill(host::Sheet& sheet, std::int32_t rows) {
  const char* names[] = {"Ada", "Grace", "Linus", "Margaret", "Ken", "Barbara", "Edsger", "Frances"};
  const char* headings[] = {"Id", "Name", "Ordered", "Amount", "Paid", "Ratio"};
  for (int column = 1; column <= 6; ++column) sheet.setValue(1, column, std::string(headings[column - 1]));
  host::StringPool& strings = sheet.book()->strings();
  std::uint32_t nameIndex[8];
  for (int i = 0; i < 8; ++i) nameIndex[i] = strings.intern(names[i]);
  host::StyleTable& styles = sheet.book()->styles();
  const std::uint32_t dateStyle = styles.withNumberFormat(0, styles.addNumberFormat(host::number_format::kDate));
  host::CellStore& cells = sheet.cells();
  cells.fillColumn(1, 2, rows - 1, [](std::int32_t row, host::Cell& cell) { cell.setNumber(row - 1); });
  cells.fillColumn(2, 2, rows - 1, [&](std::int32_t row, host::Cell& cell) { cell.setText(nameIndex[row % 8]); });
  cells.fillColumn(3, 2, rows - 1, [&](std::int32_t row, host::Cell& cell) {
    cell.setNumber(40000 + row % 5000);
    cell.setStyle(dateStyle);
  });
  cells.fillColumn(4, 2, rows - 1, [](std::int32_t row, host::Cell& cell) { cell.setNumber(row * 1.25); });
  cells.fillColumn(5, 2, rows - 1, [](std::int32_t row, host::Cell& cell) { cell.setBoolean(row % 3 == 0); });
  cells.fillColumn(6, 2, rows - 1, [](std::int32_t row, host::Cell& cell) { cell.setNumber(1.0 / row); });
}

}  // namespace

int main(int argc, char** argv) {
  std::int32_t rows = 1048576;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rows") == 0 && i + 1 < argc) {
      rows = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: window_bench [--rows N]\n");
      return 2;
    }
  }
  if (rows < 2 || rows > 1048576) {
    std::fprintf(stderr, "window_bench: --rows must lie between 2 and 1048576\n");
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication qt(argc, argv);

  auto app = host::WorkbookApplication::create();
  auto book = app->addBook();
  auto sheet = book->activeSheet();
  auto start = Clock::now();
  fill(*sheet, rows);
  host::AutoFormatOptions design;
  design.Format = host::RangeAutoFormat::List2;
  design.Width = false;
  sheet->range({1, 1, rows, 6})->AutoFormat(design);
  std::printf("sheet: %d rows x 6 columns filled and formatted in %.0f ms\n", rows, millisecondsSince(start));

  gui::HostWindow window(app, nullptr);
  window.resize(1280, 900);
  window.show();
  gui::SheetView& view = window.sheetView();
  start = Clock::now();
  window.refresh();
  paintNow(window);
  std::printf("first frame of the sheet:        %8.2f ms\n", millisecondsSince(start));

  const std::int64_t readBefore = view.sheetModel().cellsRead();
  start = Clock::now();
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
  paintNow(window);
  std::printf("Ctrl+End to row %d, painted:  %8.2f ms  (active cell %s)\n", rows, millisecondsSince(start),
              app->ActiveCell()->Address().c_str());
  std::printf("cells read for that frame:       %8lld\n",
              static_cast<long long>(view.sheetModel().cellsRead() - readBefore));

  QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
  paintNow(window);
  constexpr int kFrames = 200;
  std::int64_t read = view.sheetModel().cellsRead();
  start = Clock::now();
  for (int i = 0; i < kFrames; ++i) {
    QTest::keyClick(&view, Qt::Key_PageDown);
    paintNow(window);
  }
  const double pageMs = millisecondsSince(start) / kFrames;
  std::printf("Page Down, per frame:            %8.2f ms  (%lld cells read per frame)\n", pageMs,
              static_cast<long long>((view.sheetModel().cellsRead() - read) / kFrames));

  std::mt19937 random(42);
  std::uniform_int_distribution<int> anyRow(0, rows - 1);
  read = view.sheetModel().cellsRead();
  start = Clock::now();
  for (int i = 0; i < kFrames; ++i) {
    view.scrollTo(view.model()->index(anyRow(random), 0), QAbstractItemView::PositionAtTop);
    paintNow(window);
  }
  const double jumpMs = millisecondsSince(start) / kFrames;
  std::printf("jump to a random row, per frame: %8.2f ms  (%lld cells read per frame)\n", jumpMs,
              static_cast<long long>((view.sheetModel().cellsRead() - read) / kFrames));
  return 0;
}
