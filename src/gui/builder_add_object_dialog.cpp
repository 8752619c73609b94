#include "gui/builder_add_object_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/builder_style.h"
#include "platform/builder/catalog.h"

namespace tavrello::gui {

BuilderAddObjectDialog::BuilderAddObjectDialog(const builder::Catalog& catalog, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
  setWindowTitle("Add Object");
  setModal(true);
  list_->setFont(builderFont());
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (db::ObjectKind kind : {db::ObjectKind::Table, db::ObjectKind::View, db::ObjectKind::Synonym}) {
    for (const db::CatalogObject& object : catalog.objects(kind)) {
      QString text = QString::fromStdString(object.schema.empty() ? object.name : object.schema + "." + object.name);
      if (kind != db::ObjectKind::Table) text += kind == db::ObjectKind::View ? "  (view)" : "  (synonym)";
      list_->addItem(text);
      objects_.push_back(object);
    }
  }
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton("Add", QDialogButtonBox::AcceptRole);
  buttons->addButton("Close", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(260, 320);
}

std::vector<db::CatalogObject> BuilderAddObjectDialog::selectedObjects() const {
  std::vector<db::CatalogObject> chosen;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->isSelected()) chosen.push_back(objects_[static_cast<std::size_t>(row)]);
  }
  return chosen;
}

}  // namespace tavrello::gui
