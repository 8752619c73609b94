#include "gui/command_bar_toolbars.h"

#include <algorithm>
#include <map>
#include <set>

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

#include "gui/command_bar_toolbar.h"
#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/host_command_bars.h"

namespace tavrello::gui {
namespace {

Qt::ToolBarArea areaFor(int position) {
  switch (position) {
    case host::MsoBarPosition::Left: return Qt::LeftToolBarArea;
    case host::MsoBarPosition::Right: return Qt::RightToolBarArea;
    case host::MsoBarPosition::Bottom: return Qt::BottomToolBarArea;
    default: return Qt::TopToolBarArea;
  }
}

int positionFor(Qt::ToolBarArea area) {
  switch (area) {
    case Qt::LeftToolBarArea: return host::MsoBarPosition::Left;
    case Qt::RightToolBarArea: return host::MsoBarPosition::Right;
    case Qt::BottomToolBarArea: return host::MsoBarPosition::Bottom;
    default: return host::MsoBarPosition::Top;
  }
}

bool horizontalEdge(int position) {
  return position == host::MsoBarPosition::Top || position == host::MsoBarPosition::Bottom;
}

// Rows are counted from the window's edge: downwards at the top, upwards at
// the bottom, rightwards at the left, leftwards at the right.
bool countsFromFarSide(int position) {
  return position == host::MsoBarPosition::Bottom || position == host::MsoBarPosition::Right;
}

class Flag {
 public:
  explicit Flag(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~Flag() { flag_ = saved_; }
  Flag(const Flag&) = delete;
  Flag& operator=(const Flag&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

}  // namespace

bool samePlacement(const host::BarPlacement& a, const host::BarPlacement& b) {
  if (a.visible != b.visible || a.position != b.position) return false;
  if (a.position == host::MsoBarPosition::Floating)
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
  return a.rowIndex == b.rowIndex && (horizontalEdge(a.position) ? a.left == b.left : a.top == b.top);
}

CommandBarToolbars::CommandBarToolbars(QMainWindow& window, std::shared_ptr<host::HostCommandBars> bars)
    : QObject(&window), window_(window), bars_(std::move(bars)) {
  // Tool bars land at once, so that what is read back after a drag is
  // where they end up, not a frame of an animation.
  window_.setAnimated(false);
}

CommandBarToolbars::~CommandBarToolbars() = default;

CommandBarToolbar* CommandBarToolbars::toolbar(const std::string& name) const {
  for (const Entry& entry : entries_) {
    if (entry.toolbar && host::sameName(entry.bar->name(), name)) return entry.toolbar;
  }
  return nullptr;
}

std::vector<CommandBarToolbar*> CommandBarToolbars::toolbars() const {
  std::vector<CommandBarToolbar*> out;
  for (const Entry& entry : entries_) {
    if (entry.toolbar) out.push_back(entry.toolbar);
  }
  return out;
}

void CommandBarToolbars::refresh() {
  const auto& bars = bars_->bars();
  // Bars deleted in the host lose their tool bars; the widgets go once
  // control is back in the event loop, as a click may still be on them.
  std::erase_if(entries_, [&](Entry& entry) {
    const bool gone = entry.bar->deleted() || std::find(bars.begin(), bars.end(), entry.bar) == bars.end();
    if (gone && entry.toolbar) {
      window_.removeToolBar(entry.toolbar);
      entry.toolbar->deleteLater();
    }
    return gone || !entry.toolbar;
  });
  for (const auto& bar : bars) {
    const bool known =
        std::any_of(entries_.begin(), entries_.end(), [&](const Entry& entry) { return entry.bar == bar; });
    if (!known) addToolbar(bar);
  }
  for (Entry& entry : entries_) entry.toolbar->refresh();
  applyPlacements();
}

void CommandBarToolbars::addToolbar(const std::shared_ptr<host::HostCommandBar>& bar) {
  auto* toolbar = new CommandBarToolbar(bar, &window_);
  toolbar->hide();
  window_.addToolBar(areaFor(bar->placement().position), toolbar);
  toolbar->installEventFilter(this);
  connect(toolbar, &CommandBarToolbar::controlUsed, this, &CommandBarToolbars::controlUsed);
  connect(toolbar, &QToolBar::topLevelChanged, this, [this] { scheduleRead(); });
  // Shown or hidden from the tool bars' menu: only the user does that.
  connect(toolbar->toggleViewAction(), &QAction::triggered, this, [this] { scheduleRead(); });
  entries_.push_back(Entry{bar, toolbar, {}, false});
}

void CommandBarToolbars::applyPlacements() {
  Flag applying(applying_);
  std::set<int> areas;
  for (Entry& entry : entries_) {
    const host::BarPlacement& wanted = entry.bar->placement();
    if (entry.placed && samePlacement(wanted, entry.applied)) continue;
    if (wanted.position == host::MsoBarPosition::Floating) applyFloating(entry);
    else areas.insert(wanted.position);
    entry.applied = wanted;
    entry.placed = true;
  }
  for (int position : areas) arrangeArea(position);
}

void CommandBarToolbars::applyFloating(Entry& entry) {
  CommandBarToolbar* toolbar = entry.toolbar;
  const host::BarPlacement& place = entry.bar->placement();
  if (!toolbar->isWindow()) {
    // What the tool bar itself does when the user drags it off its dock.
    toolbar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  }
  toolbar->setOrientation(Qt::Horizontal);
  toolbar->adjustSize();
  QSize size = toolbar->sizeHint();
  if (place.width) size.setWidth(std::max(*place.width, toolbar->minimumSizeHint().width()));
  if (place.height) size.setHeight(std::max(*place.height, toolbar->minimumSizeHint().height()));
  toolbar->resize(size);
  toolbar->move(place.left, place.top);
  toolbar->setVisible(place.visible);
}

void CommandBarToolbars::arrangeArea(int position) {
  const Qt::ToolBarArea area = areaFor(position);
  std::vector<Entry*> docked;
  for (Entry& entry : entries_) {
    if (entry.bar->placement().position == position) docked.push_back(&entry);
  }
  const bool horizontal = horizontalEdge(position);
  std::stable_sort(docked.begin(), docked.end(), [&](const Entry* a, const Entry* b) {
    const host::BarPlacement& pa = a->bar->placement();
    const host::BarPlacement& pb = b->bar->placement();
    if (pa.rowIndex != pb.rowIndex) return pa.rowIndex < pb.rowIndex;
    return horizontal ? pa.left < pb.left : pa.top < pb.top;
  });
  // Qt keeps the rows of an area in the order they were added from the
  // window's edge inwards, so the area is built again from row 1.
  for (const Entry* entry : docked) window_.removeToolBar(entry->toolbar);
  std::int32_t row = 0;
  bool first = true;
  for (Entry* entry : docked) {
    CommandBarToolbar* toolbar = entry->toolbar;
    const host::BarPlacement& place = entry->bar->placement();
    if (toolbar->isWindow()) toolbar->setWindowFlags(Qt::Widget);
    if (!first && place.rowIndex != row) window_.addToolBarBreak(area);
    window_.addToolBar(area, toolbar);
    toolbar->setVisible(place.visible);
    row = place.rowIndex;
    first = false;
    entry->applied = place;
    entry->placed = true;
  }
}

void CommandBarToolbars::scheduleRead() {
  if (applying_ || readPending_) return;
  readPending_ = true;
  QTimer::singleShot(0, this, [this] {
    readPending_ = false;
    readPlacements();
  });
}

void CommandBarToolbars::readPlacements() {
  if (applying_) return;
  // Docked bars by their edge, and the lines they sit in, by the
  // coordinate across the edge.
  std::map<int, std::vector<Entry*>> byEdge;
  for (Entry& entry : entries_) {
    if (!entry.toolbar || entry.bar->deleted()) continue;
    CommandBarToolbar* toolbar = entry.toolbar;
    host::BarPlacement& place = entry.bar->placement();
    place.visible = !toolbar->isHidden();
    if (!place.visible) {
      entry.applied = place;
      continue;
    }
    if (toolbar->isWindow()) {
      place.position = host::MsoBarPosition::Floating;
      place.left = toolbar->x();
      place.top = toolbar->y();
      place.width = toolbar->width();
      place.height = toolbar->height();
      entry.applied = place;
      continue;
    }
    place.position = positionFor(window_.toolBarArea(toolbar));
    place.left = toolbar->x();
    place.top = toolbar->y();
    byEdge[place.position].push_back(&entry);
  }
  for (auto& [position, docked] : byEdge) {
    const bool horizontal = horizontalEdge(position);
    std::set<int> lines;
    for (const Entry* entry : docked) lines.insert(horizontal ? entry->toolbar->y() : entry->toolbar->x());
    std::vector<int> order(lines.begin(), lines.end());
    if (countsFromFarSide(position)) std::reverse(order.begin(), order.end());
    for (Entry* entry : docked) {
      const int line = horizontal ? entry->toolbar->y() : entry->toolbar->x();
      host::BarPlacement& place = entry->bar->placement();
      place.rowIndex = static_cast<std::int32_t>(std::find(order.begin(), order.end(), line) - order.begin()) + 1;
      entry->applied = place;
      entry->placed = true;
    }
  }
}

void CommandBarToolbars::setEnabled(bool enabled) {
  for (const Entry& entry : entries_) {
    if (entry.toolbar) entry.toolbar->setEnabled(enabled);
  }
}

bool CommandBarToolbars::eventFilter(QObject* watched, QEvent* event) {
  // A drag of a tool bar (docked or floating) ends with the button let go
  // over the tool bar itself, which grabs the mouse while it moves.
  if (event->type() == QEvent::MouseButtonRelease && qobject_cast<CommandBarToolbar*>(watched)) scheduleRead();
  return QObject::eventFilter(watched, event);
}

}  // namespace tavrello::gui
