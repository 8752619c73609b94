#pragma once

#include <vector>

#include <QDialog>

#include "platform/db/catalog.h"

class QListWidget;

namespace tavrello::builder {
class Catalog;
}

namespace tavrello::gui {

// The modal list from which the user adds tables, views and synonyms to the
// query: several may be chosen; a double-click adds one at once.
class BuilderAddObjectDialog : public QDialog {
 public:
  BuilderAddObjectDialog(const builder::Catalog& catalog, QWidget* parent);

  QListWidget* list() const { return list_; }
  // The objects chosen, in list order.
  std::vector<db::CatalogObject> selectedObjects() const;

 private:
  QListWidget* list_;
  std::vector<db::CatalogObject> objects_;
};

}  // namespace tavrello::gui
