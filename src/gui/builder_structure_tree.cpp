#include "gui/builder_structure_tree.h"

#include "gui/builder_style.h"
#include "platform/builder/formatter.h"
#include "platform/builder/sql_builder_control.h"

namespace tavrello::gui {

namespace {

constexpr int kPartRole = Qt::UserRole;

QString selectItemText(const builder::SelectItem& item) {
  std::string text = builder::formatExpression(item.expr);
  if (!item.alias.empty()) text += " AS " + builder::formatIdentifier(item.alias);
  return QString::fromStdString(text);
}

}  // namespace

BuilderStructureTree::BuilderStructureTree(builder::SQLBuilderControl& control, QWidget* parent)
    : QTreeWidget(parent), control_(control) {
  setHeaderHidden(true);
  setColumnCount(1);
  setFont(builderFont());
  setIndentation(12);
  setStyleSheet("QTreeWidget { background: white; }");
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
    QVariant part = item->data(0, kPartRole);
    if (!part.isValid() || part.toULongLong() == control_.builder().model().activePart) return;
    std::size_t index = part.toULongLong();
    control_.userAction([&] { control_.builder().setActivePart(index); });
  });
  reload();
}

void BuilderStructureTree::reload() {
  clear();
  const builder::QueryBuilder& builder = control_.builder();
  if (!builder.query()) return;
  const builder::Query& query = *builder.query();
  const builder::QueryModel& model = builder.model();
  for (std::size_t p = 0; p < model.parts.size(); ++p) {
    auto* part = new QTreeWidgetItem(this, {"Union"});
    part->setData(0, kPartRole, static_cast<qulonglong>(p));
    part->setToolTip(0, p == 0 ? "SELECT" : QString::fromStdString(model.parts[p].setOperator));
    if (p == model.activePart) part->setFont(0, builderBoldFont());
    auto* expressions = new QTreeWidgetItem(part, {"Expressions"});
    auto* objects = new QTreeWidgetItem(part, {"Object"});
    if (const builder::SelectCore* core = builder::selectOfPart(query, p)) {
      for (const builder::SelectItem& item : core->items) new QTreeWidgetItem(expressions, {selectItemText(item)});
    }
    for (const builder::DataSource& source : builder::QueryModel::build(builder.query(), p, {}).sources) {
      new QTreeWidgetItem(objects, {QString::fromStdString(source.title)});
    }
    part->setExpanded(true);
    expressions->setExpanded(true);
    objects->setExpanded(true);
  }
}

}  // namespace tavrello::gui
