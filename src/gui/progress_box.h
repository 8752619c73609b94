#pragma once

#include <functional>

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavrello::gui {

// The box a long operation shows over the window: what runs, how far it has
// come, and Cancel. Escape and the close box mean Cancel too; the box never
// closes itself, its owner hides it when the operation has ended.
class ProgressBox final : public QDialog {
  Q_OBJECT

 public:
  ProgressBox(QWidget* parent, std::function<void()> onCancel);

  // "Running the statement…" above "123,456 rows read, 2.4 s".
  void setTexts(const QString& what, const QString& sofar);
  // Back to the state of a new operation: Cancel can be clicked.
  void reset();
  bool cancelClicked() const;

  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void reject() override { requestCancel(); }
  void closeEvent(QCloseEvent* event) override;

 private:
  void requestCancel();

  std::function<void()> onCancel_;
  QLabel* what_;
  QLabel* sofar_;
  QPushButton* cancel_;
};

}  // namespace tavrello::gui
