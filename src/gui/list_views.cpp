#include "gui/list_views.h"

#include <optional>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

#include "gui/twips.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/list_box.h"

namespace tavrello::gui {

ComboBoxView::ComboBoxView(forms::ComboBox& combo, QWidget* parent)
    : ControlView(combo, new QComboBox(parent)), combo_(static_cast<QComboBox*>(widget())) {
  combo_->setInsertPolicy(QComboBox::NoInsert);
  connect(combo_, &QComboBox::activated, this, [this](int index) {
    if (auto* combo = as<forms::ComboBox>(); combo && !updating()) combo->userSelect(index);
  });
}

void ComboBoxView::connectEditor() {
  QLineEdit* editor = combo_->lineEdit();
  if (!editor) return;
  combo_->setCompleter(nullptr);
  connect(editor, &QLineEdit::textEdited, this, [this](const QString& typed) {
    if (auto* combo = as<forms::ComboBox>(); combo && !updating()) combo->userSetText(typed.toStdString());
  });
}

void ComboBoxView::showSelection() {
  const auto* combo = as<forms::ComboBox>();
  combo_->setCurrentIndex(combo->ListIndex());
  if (combo_->isEditable()) combo_->setEditText(QString::fromStdString(combo->Text()));
}

void ComboBoxView::syncOwn(forms::Property property) {
  const auto* combo = as<forms::ComboBox>();
  switch (property) {
    case forms::Property::Style:
      combo_->setEditable(combo->Style() == forms::ComboStyle::DropDownCombo);
      connectEditor();
      showSelection();
      break;
    case forms::Property::List:
      combo_->clear();
      for (const auto& item : combo->Items()) combo_->addItem(QString::fromStdString(item));
      showSelection();
      break;
    case forms::Property::ListIndex:
    case forms::Property::Text:
      showSelection();
      break;
    default:
      break;
  }
}

ListBoxView::ListBoxView(forms::ListBox& list, QWidget* parent)
    : ControlView(list, new QTreeWidget(parent)), tree_(static_cast<QTreeWidget*>(widget())) {
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(false);
  tree_->setItemsExpandable(false);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setAllColumnsShowFocus(true);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
    auto* list = as<forms::ListBox>();
    if (!list || updating()) return;
    const auto selected = tree_->selectedItems();
    const int row = selected.isEmpty() ? -1 : tree_->indexOfTopLevelItem(selected.front());
    if (row != list->ListIndex()) list->userSelect(row);
  });
}

void ListBoxView::fill() {
  const auto* list = as<forms::ListBox>();
  const int columns = list->ColumnCount();
  tree_->clear();
  tree_->setColumnCount(columns);
  QList<QTreeWidgetItem*> items;
  for (int row = 0; row < list->ListCount(); ++row) {
    auto* item = new QTreeWidgetItem;
    for (int column = 0; column < columns; ++column) item->setText(column, QString::fromStdString(list->List(row, column)));
    items.append(item);
  }
  tree_->addTopLevelItems(items);
  const auto widths = list->columnWidthPoints();
  auto givenWidth = [&](int column) -> std::optional<float> {
    return static_cast<std::size_t>(column) < widths.size() ? widths[static_cast<std::size_t>(column)] : std::nullopt;
  };
  bool anyGiven = false;
  for (int column = 0; column < columns; ++column) anyGiven = anyGiven || givenWidth(column).has_value();
  // Without widths the columns share the list's width. Set before any
  // column is hidden: hiding the stretched last section leaves the header
  // counting its old width, and the list shows a needless scroll bar.
  tree_->header()->setStretchLastSection(!anyGiven);
  for (int column = 0; column < columns; ++column) {
    const auto width = givenWidth(column);
    const bool hidden = width && *width == 0;
    tree_->setColumnHidden(column, hidden);
    if (width && !hidden) tree_->setColumnWidth(column, pointsToPixels(*width));
  }
  showSelection();
}

void ListBoxView::showSelection() {
  const int row = as<forms::ListBox>()->ListIndex();
  if (row < 0) {
    tree_->clearSelection();
    tree_->setCurrentItem(nullptr);
    return;
  }
  if (QTreeWidgetItem* item = tree_->topLevelItem(row)) {
    tree_->setCurrentItem(item);
    item->setSelected(true);
  }
}

void ListBoxView::syncOwn(forms::Property property) {
  switch (property) {
    case forms::Property::List:
    case forms::Property::Columns:
      fill();
      break;
    case forms::Property::ListIndex:
      showSelection();
      break;
    default:
      break;
  }
}

}  // namespace tavrello::gui
