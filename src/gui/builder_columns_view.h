#pragma once

#include <QTableWidget>

namespace tavrello::builder {
class SQLBuilderControl;
}

namespace tavrello::gui {

// The columns pane: one row per column of the query's shown part, with its
// output check box, expression, aggregate, alias, sort type and order, and
// criteria. Edits go to the builder's operations; a double-click on an
// expression asks the builder to have it edited (ExpressionEditRequest).
class BuilderColumnsView : public QTableWidget {
 public:
  enum Column { Output, Expression, Aggregate, Alias, SortType, SortOrder, Criteria, ColumnCount };

  BuilderColumnsView(builder::SQLBuilderControl& control, QWidget* parent);

  // Refills the rows from the builder's model.
  void reload();

 private:
  void cellEdited(QTableWidgetItem* item);
  void run(const std::function<void()>& operation);

  builder::SQLBuilderControl& control_;
  bool updating_ = false;
};

}  // namespace tavrello::gui
