#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

#include <QWidget>

namespace tavrello::builder {
class SQLBuilderControl;
struct JoinLink;
}

namespace tavrello::gui {

// The diagram: one box per data source of the query's shown part, titled
// with its name and listing its columns with check boxes (ticked columns
// are in the select list), and a line for each join condition between two
// columns. It draws the builder's model and turns gestures into the
// builder's operations:
//  - clicking a check box ticks or unticks the column;
//  - dragging a column onto a column of another box joins the two;
//  - the x of a box removes the source; dragging its title moves it;
//  - the context menu of a line changes the join's type or removes it;
//  - double-clicking the background (or its context menu) opens the list of
//    objects to add.
class BuilderDiagramView : public QWidget {
 public:
  BuilderDiagramView(builder::SQLBuilderControl& control, QWidget* parent);

  // Lays the boxes out for the current model; boxes keep their places by
  // name across changes.
  void reload();

  // Geometry of the drawn parts, in widget coordinates.
  QRect boxRect(std::size_t source) const;
  QRect columnRect(std::size_t source, std::size_t column) const;
  QRect checkBoxRect(std::size_t source, std::size_t column) const;
  QRect closeButtonRect(std::size_t source) const;

  // Opens the modal list of objects and adds the chosen ones.
  void addObjects();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  struct Hit {
    int source = -1;
    int column = -1;  // -1 on the title
    bool close = false;
    bool check = false;
  };
  Hit hitTest(QPoint point) const;
  int linkAt(QPoint point) const;
  std::vector<QPoint> linkPath(const builder::JoinLink& link) const;
  void updateExtent();
  void run(const std::function<void()>& operation);

  builder::SQLBuilderControl& control_;
  std::vector<QPoint> origins_;
  std::map<QString, QPoint> placed_;
  enum class Drag { None, Box, Join } drag_ = Drag::None;
  int dragSource_ = -1;
  int dragColumn_ = -1;
  QPoint dragOffset_;
  QPoint dragPoint_;
};

}  // namespace tavrello::gui
