#include "gui/builder_widget.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>

#include "gui/builder_columns_view.h"
#include "gui/builder_diagram_view.h"
#include "gui/builder_object_tree.h"
#include "gui/builder_structure_tree.h"
#include "gui/builder_style.h"
#include "gui/widget_factory.h"
#include "platform/builder/sql_builder_control.h"

namespace tavrello::gui {

BuilderWidget::BuilderWidget(builder::SQLBuilderControl& control, QWidget* parent)
    : QWidget(parent),
      control_(control),
      objectTree_(new BuilderObjectTree(control, this)),
      structureTree_(new BuilderStructureTree(control, this)),
      diagram_(new BuilderDiagramView(control, this)),
      columns_(new BuilderColumnsView(control, this)),
      catalogVersion_(control.builder().catalogVersion()) {
  auto* trees = new QSplitter(Qt::Vertical, this);
  trees->addWidget(objectTree_);
  trees->addWidget(structureTree_);
  trees->setSizes({300, 200});
  trees->setChildrenCollapsible(false);
  for (QWidget* tree : {static_cast<QWidget*>(objectTree_), static_cast<QWidget*>(structureTree_)}) {
    tree->setMinimumWidth(kBuilderObjectTreeWidth);
    tree->setMaximumWidth(kBuilderObjectTreeWidth);
  }

  auto* scroll = new QScrollArea(this);
  scroll->setWidget(diagram_);
  scroll->setWidgetResizable(true);
  scroll->setBackgroundRole(QPalette::Base);
  QPalette palette = scroll->palette();
  palette.setColor(QPalette::Base, kBuilderBackground);
  scroll->setPalette(palette);

  auto* work = new QSplitter(Qt::Vertical, this);
  work->addWidget(scroll);
  work->addWidget(columns_);
  work->setSizes({600, 320});
  work->setChildrenCollapsible(false);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(trees);
  layout->addWidget(work, 1);

  setAutoFillBackground(true);
  QPalette own = this->palette();
  own.setColor(QPalette::Window, kBuilderBackground);
  setPalette(own);

  subscription_ = control.observe([this](forms::Property property) {
    if (property == forms::Property::Custom) scheduleRefresh();
  });
}

void BuilderWidget::scheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QTimer::singleShot(0, this, [this] {
    refreshPending_ = false;
    refresh();
  });
}

void BuilderWidget::refresh() {
  std::size_t version = control_.builder().catalogVersion();
  if (version != catalogVersion_) {
    catalogVersion_ = version;
    objectTree_->reload();
  }
  structureTree_->reload();
  diagram_->reload();
  columns_->reload();
}

void registerBuilderWidget() {
  registerWidgetFactory(builder::SQLBuilderControl::kKindName, [](forms::Control& control, QWidget* parent) -> QWidget* {
    auto* builderControl = dynamic_cast<builder::SQLBuilderControl*>(&control);
    if (!builderControl) return nullptr;
    return new BuilderWidget(*builderControl, parent);
  });
}

namespace {

// The renderer finds the widget by the control's kind name as soon as the
// library is loaded.
const bool kRegistered = (registerBuilderWidget(), true);

}  // namespace

}  // namespace tavrello::gui
