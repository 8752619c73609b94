#pragma once

#include <cstdint>
#include <memory>

#include <QAbstractScrollArea>

class QHeaderView;

namespace tavrello::forms {
class GridSource;
}

namespace tavrello::gui {

class ColumnHeadings;
class RowNumbers;

// A read-only grid over a GridSource: the column names as a heading row the
// user can resize, row numbers down the left, and only the cells on screen
// read from the source when painted. Rows are not items of their own, so a
// grid of a million rows costs what one screenful costs. Numbers and dates
// stand right as the source says; the current cell follows the arrow, page
// and Home/End keys and the mouse, and Ctrl+C copies its text.
class GridSourceWidget : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit GridSourceWidget(QWidget* parent = nullptr);
  ~GridSourceWidget() override;

  void setSource(std::shared_ptr<forms::GridSource> source);
  const std::shared_ptr<forms::GridSource>& source() const { return source_; }

  std::int64_t rowCount() const;
  int columnCount() const;
  // The first row on screen, from 0.
  std::int64_t firstVisibleRow() const;
  std::int64_t currentRow() const { return currentRow_; }
  int currentColumn() const { return currentColumn_; }
  void setCurrentCell(std::int64_t row, int column);

  QHeaderView* header() const { return header_; }
  int rowHeight() const { return rowHeight_; }
  // How many cells have been read from the source, for the benchmarks.
  std::int64_t cellsRead() const { return cellsRead_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void layoutParts();
  void updateScrollBars();
  int visibleRows() const;
  int gutterWidth() const;
  void ensureVisible(std::int64_t row, int column);

  std::shared_ptr<forms::GridSource> source_;
  ColumnHeadings* headings_;
  QHeaderView* header_;
  RowNumbers* rowNumbers_;
  int rowHeight_;
  std::int64_t currentRow_ = 0;
  int currentColumn_ = 0;
  std::int64_t cellsRead_ = 0;
};

}  // namespace tavrello::gui
