#include "gui/form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QResizeEvent>

#include "gui/fonts.h"
#include "gui/form_renderer.h"
#include "gui/pictures.h"
#include "gui/twips.h"
#include "platform/forms/form.h"

namespace tavrello::gui {

FormWindow::FormWindow(forms::Form& form, QWidget* owner) : QDialog(owner, Qt::Window), form_(&form) {
  setObjectName(QString::fromStdString(form.Name()));
  setFont(toQFont(form.Font()));
  setWindowTitle(QString::fromStdString(form.Caption()));
  setWindowIcon(pictureIcon(form.Icon()));
  applySize();
  renderer_ = std::make_unique<FormRenderer>(form, this);
  subscription_ = form.observe([this](forms::FormChange change) { formChanged(static_cast<int>(change)); });
  focusConnection_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (!form_ || !now || now->window() != this) return;
    if (forms::Control* control = renderer_->controlAt(now)) control->userFocus();
  });
}

FormWindow::~FormWindow() {
  disconnect(focusConnection_);
  detach();
}

QWidget* FormWindow::controlWidget(const std::string& name) const { return renderer_->widget(name); }

void FormWindow::detach() {
  subscription_.reset();
  if (renderer_) renderer_->detach();
  form_ = nullptr;
}

void FormWindow::applySize() {
  if (!form_) return;
  const QSize wanted(toPixels(form_->Width()), toPixels(form_->Height()));
  if (size() == wanted) return;
  applyingSize_ = true;
  resize(wanted);
  applyingSize_ = false;
}

void FormWindow::formChanged(int change) {
  if (!form_) return;
  switch (static_cast<forms::FormChange>(change)) {
    case forms::FormChange::Caption:
      setWindowTitle(QString::fromStdString(form_->Caption()));
      break;
    case forms::FormChange::Geometry:
      applySize();
      break;
    case forms::FormChange::Icon:
      setWindowIcon(pictureIcon(form_->Icon()));
      break;
    case forms::FormChange::Font:
      setFont(toQFont(form_->Font()));
      break;
    case forms::FormChange::Refresh:
      update();
      break;
    case forms::FormChange::Repaint:
      repaint();
      break;
    case forms::FormChange::Unloaded:
    case forms::FormChange::Destroyed:
      detach();
      hide();
      deleteLater();
      break;
    case forms::FormChange::Visible:
      break;
  }
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (!form_) {
    QDialog::closeEvent(event);
    return;
  }
  // The form decides: its Unload closes this window through the dialog
  // service.
  event->ignore();
  form_->userClose();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!form_ || applyingSize_) return;
  if (event->size() == QSize(toPixels(form_->Width()), toPixels(form_->Height()))) return;
  form_->userResize(toTwips(event->size().width()), toTwips(event->size().height()));
}

void FormWindow::reject() {}

}  // namespace tavrello::gui
