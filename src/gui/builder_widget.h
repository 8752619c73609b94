#pragma once

#include <QWidget>

#include "platform/forms/signal.h"

namespace tavrello::builder {
class SQLBuilderControl;
}

namespace tavrello::gui {

class BuilderColumnsView;
class BuilderDiagramView;
class BuilderObjectTree;
class BuilderStructureTree;

// The query builder's window: the object tree and the query structure tree
// on the left (150 pixels wide), the diagram above the columns pane on the
// right. It only draws the builder's model; every gesture becomes one of the
// builder's operations, run as a user action of the control's form. It
// redraws itself after each change the control reports.
class BuilderWidget : public QWidget {
 public:
  BuilderWidget(builder::SQLBuilderControl& control, QWidget* parent);

  // Redraws every part from the model now (changes are otherwise drawn once
  // control is back in the event loop).
  void refresh();

  BuilderObjectTree* objectTree() const { return objectTree_; }
  BuilderStructureTree* structureTree() const { return structureTree_; }
  BuilderDiagramView* diagram() const { return diagram_; }
  BuilderColumnsView* columnsView() const { return columns_; }

 private:
  void scheduleRefresh();

  builder::SQLBuilderControl& control_;
  BuilderObjectTree* objectTree_;
  BuilderStructureTree* structureTree_;
  BuilderDiagramView* diagram_;
  BuilderColumnsView* columns_;
  forms::Subscription subscription_;
  std::size_t catalogVersion_;
  bool refreshPending_ = false;
};

// Registers the widget factory for controls of kind "SQLBuilder" (done when
// the library loads; calling it again does no harm).
void registerBuilderWidget();

}  // namespace tavrello::gui
