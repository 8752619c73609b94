#include "gui/builder_columns_view.h"

#include <QComboBox>
#include <QHeaderView>

#include "gui/builder_style.h"
#include "platform/builder/sql_builder_control.h"

namespace tavrello::gui {

namespace {

const char* const kAggregates[] = {"", "COUNT", "SUM", "AVG", "MIN", "MAX"};
const char* const kSortTypes[] = {"", "Ascending", "Descending"};

QTableWidgetItem* textItem(const std::string& text, bool editable) {
  auto* item = new QTableWidgetItem(QString::fromStdString(text));
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (editable) flags |= Qt::ItemIsEditable;
  item->setFlags(flags);
  return item;
}

}  // namespace

BuilderColumnsView::BuilderColumnsView(builder::SQLBuilderControl& control, QWidget* parent)
    : QTableWidget(0, ColumnCount, parent), control_(control) {
  setFont(builderFont());
  horizontalHeader()->setFont(builderFont());
  setHorizontalHeaderLabels({"Output", "Expression", "Aggregate", "Alias", "Sort Type", "Sort Order", "Criteria"});
  verticalHeader()->setDefaultSectionSize(20);
  verticalHeader()->setVisible(false);
  horizontalHeader()->setStretchLastSection(true);
  setColumnWidth(Output, 48);
  setColumnWidth(Expression, 170);
  setColumnWidth(Aggregate, 80);
  setColumnWidth(Alias, 110);
  setColumnWidth(SortType, 104);
  setColumnWidth(SortOrder, 70);
  setStyleSheet("QTableWidget { background: white; }");
  setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { cellEdited(item); });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
    if (column != Expression) return;
    auto index = static_cast<std::size_t>(row);
    run([&] { control_.builder().requestExpressionEdit(index); });
  });
  reload();
}

void BuilderColumnsView::run(const std::function<void()>& operation) { control_.userAction(operation); }

void BuilderColumnsView::reload() {
  updating_ = true;
  const auto& rows = control_.builder().model().rows;
  setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const builder::ColumnRow& row = rows[r];
    int at = static_cast<int>(r);
    auto* output = textItem("", false);
    output->setFlags(output->flags() | Qt::ItemIsUserCheckable);
    output->setCheckState(row.output ? Qt::Checked : Qt::Unchecked);
    setItem(at, Output, output);
    QTableWidgetItem* expression = textItem(row.expression, false);
    expression->setToolTip("Double-click to edit the expression");
    setItem(at, Expression, expression);
    setItem(at, Alias, textItem(row.alias, row.output));
    setItem(at, SortOrder, textItem(row.sortOrder > 0 ? std::to_string(row.sortOrder) : "", row.sortOrder > 0));
    setItem(at, Criteria, textItem(row.criteria, true));

    auto* aggregate = new QComboBox(this);
    aggregate->setFont(builderFont());
    for (const char* name : kAggregates) aggregate->addItem(name);
    aggregate->setCurrentText(QString::fromStdString(row.aggregate));
    aggregate->setEnabled(row.output);
    connect(aggregate, &QComboBox::currentTextChanged, this, [this, r](const QString& text) {
      if (updating_) return;
      std::string name = text.toStdString();
      run([&] { control_.builder().setAggregate(r, name); });
    });
    setCellWidget(at, Aggregate, aggregate);

    auto* sort = new QComboBox(this);
    sort->setFont(builderFont());
    for (const char* name : kSortTypes) sort->addItem(name);
    sort->setCurrentIndex(static_cast<int>(row.sort));
    connect(sort, &QComboBox::currentIndexChanged, this, [this, r](int index) {
      if (updating_) return;
      auto type = static_cast<builder::SortType>(index);
      run([&] { control_.builder().setSort(r, type); });
    });
    setCellWidget(at, SortType, sort);
  }
  updating_ = false;
}

void BuilderColumnsView::cellEdited(QTableWidgetItem* item) {
  if (updating_) return;
  auto row = static_cast<std::size_t>(item->row());
  std::string text = item->text().toStdString();
  switch (item->column()) {
    case Output: {
      bool output = item->checkState() == Qt::Checked;
      run([&] { control_.builder().setOutput(row, output); });
      break;
    }
    case Alias:
      run([&] { control_.builder().setAlias(row, text); });
      break;
    case SortOrder: {
      bool ok = false;
      int order = item->text().toInt(&ok);
      if (ok) run([&] { control_.builder().setSortOrder(row, order); });
      break;
    }
    case Criteria:
      run([&] { control_.builder().setCriteria(row, text); });
      break;
    default:
      break;
  }
  // A refused edit leaves the cell showing what the model holds.
  QMetaObject::invokeMethod(this, [this] { reload(); }, Qt::QueuedConnection);
}

}  // namespace tavrello::gui
