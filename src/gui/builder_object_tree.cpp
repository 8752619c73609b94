#include "gui/builder_object_tree.h"

#include <QHeaderView>

#include "gui/builder_style.h"
#include "platform/builder/sql_builder_control.h"

namespace tavrello::gui {

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;
constexpr int kFilledRole = Qt::UserRole + 2;
constexpr db::ObjectKind kKinds[] = {db::ObjectKind::Table, db::ObjectKind::View, db::ObjectKind::Procedure,
                                     db::ObjectKind::Synonym};

QString displayName(const db::CatalogObject& object) {
  QString name = QString::fromStdString(object.name);
  if (!object.schema.empty()) name = QString::fromStdString(object.schema) + "." + name;
  return name;
}

}  // namespace

BuilderObjectTree::BuilderObjectTree(builder::SQLBuilderControl& control, QWidget* parent)
    : QTreeWidget(parent), control_(control) {
  setHeaderHidden(true);
  setColumnCount(1);
  setFont(builderFont());
  setIndentation(12);
  setUniformRowHeights(true);
  setStyleSheet("QTreeWidget { background: white; }");
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { fillColumns(item); });
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) { addObject(item); });
  reload();
}

void BuilderObjectTree::reload() {
  clear();
  const builder::Catalog& catalog = control_.builder().catalog();
  for (db::ObjectKind kind : kKinds) {
    auto* node = new QTreeWidgetItem(this, {QString(builder::objectTreeNodeText(kind))});
    node->setFont(0, builderBoldFont());
    const auto& objects = catalog.objects(kind);
    for (std::size_t i = 0; i < objects.size(); ++i) {
      auto* item = new QTreeWidgetItem(node, {displayName(objects[i])});
      item->setData(0, kKindRole, static_cast<int>(kind));
      item->setData(0, kIndexRole, static_cast<qulonglong>(i));
      if (kind != db::ObjectKind::Procedure) {
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        item->setToolTip(0, "Double-click to add it to the query");
      }
    }
    if (kind == db::ObjectKind::Table && !objects.empty()) node->setExpanded(true);
  }
}

void BuilderObjectTree::fillColumns(QTreeWidgetItem* item) {
  if (!item->data(0, kKindRole).isValid() || item->data(0, kFilledRole).toBool()) return;
  item->setData(0, kFilledRole, true);
  auto kind = static_cast<db::ObjectKind>(item->data(0, kKindRole).toInt());
  const auto& objects = control_.builder().catalog().objects(kind);
  std::size_t index = item->data(0, kIndexRole).toULongLong();
  if (index >= objects.size()) return;
  for (const db::CatalogColumn& column : control_.builder().catalog().columns(objects[index])) {
    auto* child = new QTreeWidgetItem(item, {QString::fromStdString(column.name)});
    child->setToolTip(0, QString::fromStdString(column.typeName));
  }
  item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void BuilderObjectTree::addObject(QTreeWidgetItem* item) {
  if (!item->data(0, kKindRole).isValid()) return;
  auto kind = static_cast<db::ObjectKind>(item->data(0, kKindRole).toInt());
  if (kind == db::ObjectKind::Procedure) return;
  const auto& objects = control_.builder().catalog().objects(kind);
  std::size_t index = item->data(0, kIndexRole).toULongLong();
  if (index >= objects.size()) return;
  db::CatalogObject object = objects[index];
  control_.userAction([&] { control_.builder().addCatalogObject(object); });
}

}  // namespace tavrello::gui
