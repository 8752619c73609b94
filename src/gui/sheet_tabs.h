#pragma once

#include <memory>

#include <QWidget>

class QTabBar;
class QToolButton;

namespace tavrello::host {
class Book;
}

namespace tavrello::gui {

// The sheet tabs under the grid: one tab per worksheet of the active
// workbook, in order, the active sheet's tab current. Clicking a tab
// activates that sheet in the host; double-clicking one asks for a new name
// (a name the host refuses is answered with its reason); the "+" button adds
// a sheet after the last one and activates it.
class SheetTabs : public QWidget {
  Q_OBJECT

 public:
  explicit SheetTabs(QWidget* parent = nullptr);

  // Shows the sheets of `book` (none without a workbook).
  void refresh(const std::shared_ptr<host::Book>& book);

  QTabBar* tabBar() const { return tabs_; }

 signals:
  // The user activated another sheet (or added one).
  void sheetChosen();

 private:
  void tabChosen(int index);
  void addSheet();
  void renameSheet(int index);

  QTabBar* tabs_;
  QToolButton* add_;
  std::weak_ptr<host::Book> book_;
};

}  // namespace tavrello::gui
