#pragma once

#include <QTreeWidget>

namespace tavrello::builder {
class SQLBuilderControl;
}

namespace tavrello::gui {

// The query structure tree: one "Union" node per part of the statement
// (a single one for a plain SELECT), each with its "Expressions" (the
// select list) and its "Object" entries (the data sources). Clicking a part
// shows it in the diagram.
class BuilderStructureTree : public QTreeWidget {
 public:
  BuilderStructureTree(builder::SQLBuilderControl& control, QWidget* parent);

  // Refills the tree from the builder's statement.
  void reload();

 private:
  builder::SQLBuilderControl& control_;
};

}  // namespace tavrello::gui
