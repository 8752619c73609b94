#include "gui/progress_box.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrello::gui {

ProgressBox::ProgressBox(QWidget* parent, std::function<void()> onCancel)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      onCancel_(std::move(onCancel)), what_(new QLabel(this)), sofar_(new QLabel(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
  setWindowTitle(QStringLiteral("Tavrello"));
  // There is no total to measure against: the bar shows that work goes on.
  auto* bar = new QProgressBar(this);
  bar->setRange(0, 0);
  bar->setTextVisible(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(what_);
  layout->addWidget(sofar_);
  layout->addWidget(bar);
  layout->addLayout(buttons);
  setMinimumWidth(340);
  connect(cancel_, &QPushButton::clicked, this, [this] { requestCancel(); });
}

void ProgressBox::setTexts(const QString& what, const QString& sofar) {
  what_->setText(cancelClicked() ? QStringLiteral("Cancelling…") : what);
  sofar_->setText(sofar);
}

void ProgressBox::reset() { cancel_->setEnabled(true); }

bool ProgressBox::cancelClicked() const { return !cancel_->isEnabled(); }

void ProgressBox::closeEvent(QCloseEvent* event) {
  event->ignore();
  requestCancel();
}

void ProgressBox::requestCancel() {
  if (cancelClicked()) return;
  cancel_->setEnabled(false);
  what_->setText(QStringLiteral("Cancelling…"));
  onCancel_();
}

}  // namespace tavrello::gui
