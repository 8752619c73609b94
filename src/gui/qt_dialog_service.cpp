#include "gui/qt_dialog_service.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "gui/file_filter.h"
#include "gui/form_window.h"
#include "platform/forms/form.h"

namespace tavrello::gui {
namespace {

QMessageBox::Icon qtIcon(forms::MsgIcon icon) {
  switch (icon) {
    case forms::MsgIcon::Critical: return QMessageBox::Critical;
    case forms::MsgIcon::Question: return QMessageBox::Question;
    case forms::MsgIcon::Exclamation: return QMessageBox::Warning;
    case forms::MsgIcon::Information: return QMessageBox::Information;
    case forms::MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

// The box's buttons, the first being the default.
QList<QMessageBox::StandardButton> qtButtons(forms::MsgButtons buttons) {
  switch (buttons) {
    case forms::MsgButtons::OkOnly: return {QMessageBox::Ok};
    case forms::MsgButtons::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case forms::MsgButtons::AbortRetryIgnore: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case forms::MsgButtons::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case forms::MsgButtons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case forms::MsgButtons::RetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
  }
  return {QMessageBox::Ok};
}

forms::MsgResult toResult(int button) {
  switch (button) {
    case QMessageBox::Ok: return forms::MsgResult::Ok;
    case QMessageBox::Cancel: return forms::MsgResult::Cancel;
    case QMessageBox::Abort: return forms::MsgResult::Abort;
    case QMessageBox::Retry: return forms::MsgResult::Retry;
    case QMessageBox::Ignore: return forms::MsgResult::Ignore;
    case QMessageBox::Yes: return forms::MsgResult::Yes;
    case QMessageBox::No: return forms::MsgResult::No;
    default: return forms::MsgResult::Cancel;
  }
}

// Boxes separate lines with CR, LF or CR LF; Qt with LF.
QString boxText(const std::string& text) {
  QString result = QString::fromStdString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

QString startPath(const forms::FileDialogRequest& request) {
  QDir folder(QString::fromStdString(request.initialFolder));
  if (request.initialFolder.empty() || !folder.exists()) folder = QDir::current();
  return request.fileName.empty() ? folder.absolutePath() : folder.filePath(QString::fromStdString(request.fileName));
}

}  // namespace

QtDialogService::QtDialogService(QWidget* owner) : owner_(owner) {}

QtDialogService::~QtDialogService() {
  for (auto& [form, window] : windows_) {
    if (!window) continue;
    window->detach();
    window->hide();
    window->deleteLater();
  }
}

QWidget* QtDialogService::dialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return owner_;
}

forms::MsgResult QtDialogService::messageBox(const forms::MessageBoxRequest& request) {
  QMessageBox box(qtIcon(request.icon), QString::fromStdString(request.title), boxText(request.text),
                  QMessageBox::NoButton, dialogParent());
  box.setTextFormat(Qt::PlainText);
  const auto buttons = qtButtons(request.buttons);
  for (const auto button : buttons) box.addButton(button);
  box.setDefaultButton(buttons.front());
  return toResult(box.exec());
}

std::string QtDialogService::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
  QInputDialog dialog(dialogParent());
  dialog.setWindowTitle(QString::fromStdString(title));
  dialog.setLabelText(boxText(prompt));
  dialog.setTextValue(QString::fromStdString(defaultText));
  return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
}

std::optional<std::string> QtDialogService::passwordPrompt(const std::string& prompt, const std::string& title) {
  QInputDialog dialog(dialogParent());
  dialog.setWindowTitle(QString::fromStdString(title));
  dialog.setLabelText(boxText(prompt));
  dialog.setTextEchoMode(QLineEdit::Password);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdString();
}

std::optional<std::string> QtDialogService::rangePrompt(const std::string& prompt, const std::string& title,
                                                        const std::string& defaultAddress) {
  QInputDialog dialog(dialogParent());
  dialog.setWindowTitle(QString::fromStdString(title));
  dialog.setLabelText(boxText(prompt));
  dialog.setTextValue(QString::fromStdString(defaultAddress));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdString();
}

std::string QtDialogService::openFileDialog(const forms::FileDialogRequest& request) {
  return QFileDialog::getOpenFileName(dialogParent(), QString::fromStdString(request.title), startPath(request),
                                      qtFileFilter(request.filter))
      .toStdString();
}

std::string QtDialogService::saveFileDialog(const forms::FileDialogRequest& request) {
  return QFileDialog::getSaveFileName(dialogParent(), QString::fromStdString(request.title), startPath(request),
                                      qtFileFilter(request.filter))
      .toStdString();
}

FormWindow* QtDialogService::window(const forms::Form& form) const {
  const auto found = windows_.find(&form);
  if (found == windows_.end() || !found->second || found->second->form() != &form) return nullptr;
  return found->second;
}

FormWindow* QtDialogService::windowFor(forms::Form& form) {
  if (FormWindow* existing = window(form)) return existing;
  auto* created = new FormWindow(form, owner_);
  created->setAttribute(Qt::WA_DeleteOnClose, false);
  windows_[&form] = created;
  return created;
}

void QtDialogService::runModal(forms::Form& form) {
  FormWindow* window = windowFor(form);
  window->setWindowModality(Qt::ApplicationModal);
  window->exec();
  // The window ends only through the form (see FormWindow), but a form
  // shown modally must be hidden or unloaded when Show returns.
  if (form.Loaded() && form.Visible()) form.Hide();
}

void QtDialogService::showModeless(forms::Form& form) {
  FormWindow* window = windowFor(form);
  window->setWindowModality(Qt::NonModal);
  window->show();
  window->raise();
  window->activateWindow();
}

void QtDialogService::closeForm(forms::Form& form) {
  FormWindow* window = this->window(form);
  if (!window) return;
  // Ends the window's event loop when it is modal; hides it otherwise.
  window->done(QDialog::Rejected);
  if (!form.Loaded()) windows_.erase(&form);
}

}  // namespace tavrello::gui
