#pragma once

#include <memory>

#include <QLineEdit>

namespace tavrello::host {
class WorkbookApplication;
}

namespace tavrello::gui {

// The name box left of the grid: it shows the address of the host's active
// cell ("B3"), and an address typed into it (B3, $B$3, Sheet2!B3, B2:D4, B:D,
// 3:5) selects those cells when Enter is pressed, activating the sheet it
// names. An address the host cannot read is answered with a message and the
// box shows the active cell again; so does Escape.
class NameBox : public QLineEdit {
  Q_OBJECT

 public:
  NameBox(std::shared_ptr<host::WorkbookApplication> app, QWidget* parent = nullptr);

  // Shows the active cell's address (empty without a workbook), unless the
  // user has typed into the box.
  void refresh();

  // Selects what `address` names; false, after telling the user, when it
  // names nothing this workbook has.
  bool goTo(const QString& address);

 signals:
  // The host's selection (and perhaps its active sheet) changed.
  void selectionChosen();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void showActiveCell();

  std::shared_ptr<host::WorkbookApplication> app_;
};

}  // namespace tavrello::gui
