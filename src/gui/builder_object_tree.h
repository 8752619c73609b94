#pragma once

#include <QTreeWidget>

namespace tavrello::builder {
class SQLBuilderControl;
}

namespace tavrello::gui {

// The builder's object tree: "Tables", "Views", "Procedures" and "Synonyms"
// of the connected database, each table and view with its columns (read
// when first opened). A double-click on a table, view or synonym adds it to
// the query.
class BuilderObjectTree : public QTreeWidget {
 public:
  BuilderObjectTree(builder::SQLBuilderControl& control, QWidget* parent);

  // Refills the tree from the builder's catalog.
  void reload();

 private:
  void fillColumns(QTreeWidgetItem* item);
  void addObject(QTreeWidgetItem* item);

  builder::SQLBuilderControl& control_;
};

}  // namespace tavrello::gui
