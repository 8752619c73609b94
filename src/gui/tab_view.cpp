#include "gui/tab_view.h"

#include <QFrame>
#include <QTabBar>

#include "platform/forms/tab_control.h"

namespace tavrello::gui {

TabControlView::TabControlView(forms::TabControl& tabs, QWidget* parent)
    : ControlView(tabs, new QFrame(parent)), area_(static_cast<QFrame*>(widget())), bar_(new QTabBar(area_)) {
  area_->setFrameShape(QFrame::StyledPanel);
  bar_->setDrawBase(false);
  bar_->setExpanding(false);
  connect(bar_, &QTabBar::currentChanged, this, [this](int page) {
    if (auto* tabs = as<forms::TabControl>(); tabs && !updating() && page >= 0) tabs->userSelectTab(page);
  });
}

void TabControlView::syncOwn(forms::Property property) {
  const auto* tabs = as<forms::TabControl>();
  switch (property) {
    case forms::Property::Tabs:
      while (bar_->count() > tabs->Tabs()) bar_->removeTab(bar_->count() - 1);
      while (bar_->count() < tabs->Tabs()) bar_->addTab(QString());
      for (int page = 0; page < tabs->Tabs(); ++page) bar_->setTabText(page, QString::fromStdString(tabs->TabCaption(page)));
      bar_->setCurrentIndex(tabs->Tab());
      // The bar's height depends on its tabs: a view built before they were
      // added placed an empty bar.
      placeBar();
      break;
    case forms::Property::Tab:
      bar_->setCurrentIndex(tabs->Tab());
      break;
    case forms::Property::Geometry:
    case forms::Property::Font:
      placeBar();
      break;
    default:
      break;
  }
}

void TabControlView::placeBar() { bar_->setGeometry(0, 0, area_->width(), bar_->sizeHint().height()); }

}  // namespace tavrello::gui
