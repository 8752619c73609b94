#include "gui/builder_diagram_view.h"

#include <algorithm>
#include <cmath>

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "gui/builder_add_object_dialog.h"
#include "gui/builder_style.h"
#include "platform/builder/sql_builder_control.h"
#include "platform/builder/text_util.h"

namespace tavrello::gui {

namespace {

constexpr int kTitleHeight = 18;
constexpr int kRowHeight = 16;
constexpr int kCheckSize = 13;
constexpr int kMargin = 16;
constexpr int kGapX = 48;
constexpr int kGapY = 28;
constexpr int kStub = 10;
const QColor kTitleColour{235, 235, 100};
const QColor kBorderColour{140, 140, 70};

const builder::QueryModel& modelOf(builder::SQLBuilderControl& control) { return control.builder().model(); }

QString keyOf(const builder::DataSource& source) {
  return QString::fromStdString(builder::toLower(source.reference.name + "\n" + source.title));
}

int columnIndex(const builder::DataSource& source, const std::string& name) {
  for (std::size_t i = 0; i < source.columns.size(); ++i) {
    if (builder::equalsIgnoreCase(source.columns[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
  QPointF ab = b - a;
  double lengthSquared = ab.x() * ab.x() + ab.y() * ab.y();
  double t = lengthSquared == 0 ? 0 : ((p - a).x() * ab.x() + (p - a).y() * ab.y()) / lengthSquared;
  t = std::clamp(t, 0.0, 1.0);
  QPointF nearest = a + t * ab;
  return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

const char* joinLabel(builder::JoinType type) {
  switch (type) {
    case builder::JoinType::Left: return "LEFT";
    case builder::JoinType::Right: return "RIGHT";
    case builder::JoinType::Full: return "FULL";
    default: return nullptr;
  }
}

}  // namespace

BuilderDiagramView::BuilderDiagramView(builder::SQLBuilderControl& control, QWidget* parent)
    : QWidget(parent), control_(control) {
  setFont(builderFont());
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBuilderBackground);
  setPalette(palette);
  setMouseTracking(false);
  reload();
}

QRect BuilderDiagramView::boxRect(std::size_t source) const {
  const auto& sources = modelOf(control_).sources;
  if (source >= origins_.size() || source >= sources.size()) return {};
  int rows = static_cast<int>(sources[source].columns.size());
  return {origins_[source], QSize(kBuilderTableWidth, kTitleHeight + rows * kRowHeight + 3)};
}

QRect BuilderDiagramView::columnRect(std::size_t source, std::size_t column) const {
  QRect box = boxRect(source);
  return {box.left() + 1, box.top() + kTitleHeight + 1 + static_cast<int>(column) * kRowHeight, box.width() - 2,
          kRowHeight};
}

QRect BuilderDiagramView::checkBoxRect(std::size_t source, std::size_t column) const {
  QRect row = columnRect(source, column);
  return {row.left() + 3, row.top() + (kRowHeight - kCheckSize) / 2, kCheckSize, kCheckSize};
}

QRect BuilderDiagramView::closeButtonRect(std::size_t source) const {
  QRect box = boxRect(source);
  return {box.right() - 15, box.top() + 3, 12, 12};
}

void BuilderDiagramView::reload() {
  const auto& sources = modelOf(control_).sources;
  origins_.assign(sources.size(), QPoint());
  std::vector<bool> known(sources.size(), false);
  for (std::size_t i = 0; i < sources.size(); ++i) {
    auto found = placed_.find(keyOf(sources[i]));
    if (found != placed_.end()) {
      origins_[i] = found->second;
      known[i] = true;
    }
  }
  // New boxes go to the right of the others, on a new row when the view is full.
  int right = kMargin - kGapX;
  int top = kMargin;
  int bottom = kMargin;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (known[i]) right = std::max(right, origins_[i].x() + kBuilderTableWidth);
  }
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (known[i]) continue;
    int x = right + kGapX;
    if (x + kBuilderTableWidth > std::max(width(), 400) && right > kMargin) {
      for (std::size_t j = 0; j < i; ++j) bottom = std::max(bottom, boxRect(j).bottom());
      top = bottom + kGapY;
      x = kMargin;
    }
    origins_[i] = QPoint(x, top);
    placed_[keyOf(sources[i])] = origins_[i];
    right = x + kBuilderTableWidth;
  }
  updateExtent();
  update();
}

void BuilderDiagramView::updateExtent() {
  QRect all;
  for (std::size_t i = 0; i < origins_.size(); ++i) all = all.united(boxRect(i));
  setMinimumSize(all.right() + kMargin, all.bottom() + kMargin);
}

std::vector<QPoint> BuilderDiagramView::linkPath(const builder::JoinLink& link) const {
  const auto& sources = modelOf(control_).sources;
  auto anchor = [&](std::size_t source, const std::string& column) {
    int row = columnIndex(sources[source], column);
    QRect box = boxRect(source);
    return row < 0 ? box.top() + kTitleHeight / 2 : columnRect(source, static_cast<std::size_t>(row)).center().y();
  };
  QRect left = boxRect(link.leftSource);
  QRect right = boxRect(link.rightSource);
  bool leftFirst = left.center().x() <= right.center().x();
  QPoint start(leftFirst ? left.right() : left.left(), anchor(link.leftSource, link.leftColumn));
  QPoint end(leftFirst ? right.left() : right.right(), anchor(link.rightSource, link.rightColumn));
  int direction = leftFirst ? 1 : -1;
  return {start, start + QPoint(direction * kStub, 0), end - QPoint(direction * kStub, 0), end};
}

void BuilderDiagramView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBuilderBackground);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const builder::QueryModel& model = modelOf(control_);

  for (const builder::JoinLink& link : model.links) {
    if (link.leftSource >= origins_.size() || link.rightSource >= origins_.size()) continue;
    auto path = linkPath(link);
    painter.setPen(QPen(Qt::black, 1.2, link.inWhere ? Qt::DashLine : Qt::SolidLine));
    painter.drawPolyline(path.data(), static_cast<int>(path.size()));
    painter.setBrush(Qt::black);
    painter.drawEllipse(path.front(), 2, 2);
    painter.drawEllipse(path.back(), 2, 2);
    if (const char* label = joinLabel(link.type)) {
      QPoint middle = (path[1] + path[2]) / 2;
      painter.setFont(builderFont());
      painter.drawText(middle + QPoint(-14, -4), label);
    }
  }

  painter.setRenderHint(QPainter::Antialiasing, false);
  for (std::size_t i = 0; i < model.sources.size() && i < origins_.size(); ++i) {
    const builder::DataSource& source = model.sources[i];
    QRect box = boxRect(i);
    painter.setPen(kBorderColour);
    painter.setBrush(kBuilderTableColour);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    QRect title(box.left() + 1, box.top() + 1, box.width() - 2, kTitleHeight - 1);
    painter.fillRect(title, kTitleColour);
    painter.drawLine(box.left(), box.top() + kTitleHeight, box.right(), box.top() + kTitleHeight);
    painter.setPen(Qt::black);
    // Derived tables and table functions are not objects of the database.
    QFont titleFont = builderBoldFont();
    titleFont.setItalic(source.kind != builder::TableSource::Kind::Table);
    painter.setFont(titleFont);
    QRect titleText = title.adjusted(4, 0, -18, 0);
    painter.drawText(titleText, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(QString::fromStdString(source.title), Qt::ElideRight,
                                                      titleText.width()));
    QRect close = closeButtonRect(i);
    painter.setPen(QPen(QColor(90, 90, 40), 1.5));
    painter.drawLine(close.topLeft() + QPoint(2, 2), close.bottomRight() - QPoint(2, 2));
    painter.drawLine(close.topRight() + QPoint(-2, 2), close.bottomLeft() + QPoint(2, -2));

    painter.setFont(builderFont());
    for (std::size_t c = 0; c < source.columns.size(); ++c) {
      QStyleOptionButton check;
      check.rect = checkBoxRect(i, c);
      check.state = QStyle::State_Enabled | (source.columns[c].checked ? QStyle::State_On : QStyle::State_Off);
      style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &check, &painter, this);
      QRect row = columnRect(i, c);
      QRect text = row.adjusted(kCheckSize + 7, 0, -2, 0);
      painter.setPen(Qt::black);
      QString name = QString::fromStdString(source.columns[c].name);
      if (name == "*") name = "* (All Columns)";
      painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                       painter.fontMetrics().elidedText(name, Qt::ElideRight, text.width()));
    }
  }

  if (drag_ == Drag::Join && dragSource_ >= 0) {
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.drawLine(columnRect(static_cast<std::size_t>(dragSource_), static_cast<std::size_t>(dragColumn_)).center(),
                     dragPoint_);
  }
}

BuilderDiagramView::Hit BuilderDiagramView::hitTest(QPoint point) const {
  Hit hit;
  const auto& sources = modelOf(control_).sources;
  // Later boxes are drawn over earlier ones, so they are hit first.
  for (std::size_t i = std::min(sources.size(), origins_.size()); i-- > 0;) {
    if (!boxRect(i).contains(point)) continue;
    hit.source = static_cast<int>(i);
    if (closeButtonRect(i).contains(point)) {
      hit.close = true;
      return hit;
    }
    for (std::size_t c = 0; c < sources[i].columns.size(); ++c) {
      if (columnRect(i, c).contains(point)) {
        hit.column = static_cast<int>(c);
        hit.check = checkBoxRect(i, c).adjusted(-2, -2, 2, 2).contains(point);
        return hit;
      }
    }
    return hit;
  }
  return hit;
}

int BuilderDiagramView::linkAt(QPoint point) const {
  const auto& links = modelOf(control_).links;
  for (std::size_t l = 0; l < links.size(); ++l) {
    if (links[l].leftSource >= origins_.size() || links[l].rightSource >= origins_.size()) continue;
    auto path = linkPath(links[l]);
    for (std::size_t s = 0; s + 1 < path.size(); ++s) {
      if (distanceToSegment(point, path[s], path[s + 1]) <= 4.0) return static_cast<int>(l);
    }
  }
  return -1;
}

void BuilderDiagramView::run(const std::function<void()>& operation) { control_.userAction(operation); }

void BuilderDiagramView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QPoint point = event->position().toPoint();
  Hit hit = hitTest(point);
  if (hit.source < 0) return;
  auto source = static_cast<std::size_t>(hit.source);
  const builder::DataSource& box = modelOf(control_).sources[source];
  if (hit.close) {
    run([&] { control_.builder().removeDataSource(source); });
  } else if (hit.check) {
    const builder::SourceColumn& column = box.columns[static_cast<std::size_t>(hit.column)];
    std::string name = column.name;
    bool checked = !column.checked;
    run([&] { control_.builder().setColumnChecked(source, name, checked); });
  } else if (hit.column < 0) {
    drag_ = Drag::Box;
    dragSource_ = hit.source;
    dragOffset_ = point - origins_[source];
  } else if (box.columns[static_cast<std::size_t>(hit.column)].name != "*") {
    drag_ = Drag::Join;
    dragSource_ = hit.source;
    dragColumn_ = hit.column;
    dragPoint_ = point;
  }
}

void BuilderDiagramView::mouseMoveEvent(QMouseEvent* event) {
  QPoint point = event->position().toPoint();
  if (drag_ == Drag::Box && dragSource_ >= 0 && static_cast<std::size_t>(dragSource_) < origins_.size()) {
    QPoint origin(std::max(0, point.x() - dragOffset_.x()), std::max(0, point.y() - dragOffset_.y()));
    auto source = static_cast<std::size_t>(dragSource_);
    origins_[source] = origin;
    placed_[keyOf(modelOf(control_).sources[source])] = origin;
    updateExtent();
    update();
  } else if (drag_ == Drag::Join) {
    dragPoint_ = point;
    update();
  }
}

void BuilderDiagramView::mouseReleaseEvent(QMouseEvent* event) {
  Drag drag = drag_;
  drag_ = Drag::None;
  if (drag == Drag::Join) {
    Hit hit = hitTest(event->position().toPoint());
    const auto& sources = modelOf(control_).sources;
    if (hit.source >= 0 && hit.source != dragSource_ && hit.column >= 0 && !hit.check) {
      auto left = static_cast<std::size_t>(dragSource_);
      auto right = static_cast<std::size_t>(hit.source);
      std::string leftColumn = sources[left].columns[static_cast<std::size_t>(dragColumn_)].name;
      std::string rightColumn = sources[right].columns[static_cast<std::size_t>(hit.column)].name;
      if (rightColumn != "*") run([&] { control_.builder().joinSources(left, leftColumn, right, rightColumn); });
    }
  }
  dragSource_ = -1;
  dragColumn_ = -1;
  update();
}

void BuilderDiagramView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (hitTest(event->position().toPoint()).source < 0 && linkAt(event->position().toPoint()) < 0) addObjects();
}

void BuilderDiagramView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.setFont(builderFont());
  int link = linkAt(event->pos());
  Hit hit = hitTest(event->pos());
  if (link >= 0) {
    auto index = static_cast<std::size_t>(link);
    builder::JoinType current = modelOf(control_).links[index].type;
    const std::pair<const char*, builder::JoinType> types[] = {{"Inner Join", builder::JoinType::Inner},
                                                               {"Left Outer Join", builder::JoinType::Left},
                                                               {"Right Outer Join", builder::JoinType::Right},
                                                               {"Full Outer Join", builder::JoinType::Full}};
    for (const auto& [text, type] : types) {
      QAction* action = menu.addAction(text);
      action->setCheckable(true);
      action->setChecked(type == current);
      builder::JoinType chosen = type;
      connect(action, &QAction::triggered, this, [this, index, chosen] {
        run([&] { control_.builder().setJoinType(index, chosen); });
      });
    }
    menu.addSeparator();
    connect(menu.addAction("Remove Join"), &QAction::triggered, this,
            [this, index] { run([&] { control_.builder().removeJoin(index); }); });
  } else if (hit.source >= 0) {
    auto index = static_cast<std::size_t>(hit.source);
    connect(menu.addAction("Remove"), &QAction::triggered, this,
            [this, index] { run([&] { control_.builder().removeDataSource(index); }); });
  } else {
    connect(menu.addAction("Add Object..."), &QAction::triggered, this, [this] { addObjects(); });
    QAction* distinct = menu.addAction("Distinct");
    distinct->setCheckable(true);
    distinct->setChecked(modelOf(control_).distinct);
    distinct->setEnabled(!modelOf(control_).parts.empty());
    connect(distinct, &QAction::triggered, this,
            [this](bool on) { run([&] { control_.builder().setDistinct(on); }); });
  }
  menu.exec(event->globalPos());
}

void BuilderDiagramView::addObjects() {
  BuilderAddObjectDialog dialog(control_.builder().catalog(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  for (const db::CatalogObject& object : dialog.selectedObjects()) {
    run([&] { control_.builder().addCatalogObject(object); });
  }
}

}  // namespace tavrello::gui
