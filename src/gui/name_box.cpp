#include "gui/name_box.h"

#include <QKeyEvent>

#include "platform/forms/dialog_service.h"
#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::gui {

NameBox::NameBox(std::shared_ptr<host::WorkbookApplication> app, QWidget* parent)
    : QLineEdit(parent), app_(std::move(app)) {
  setObjectName(QStringLiteral("nameBox"));
  setToolTip(tr("Name Box: the active cell. Type an address and press Enter to go there."));
  setFixedWidth(110);
  setFocusPolicy(Qt::ClickFocus);
  connect(this, &QLineEdit::returnPressed, this, [this] {
    if (goTo(text())) emit selectionChosen();
  });
  showActiveCell();
}

void NameBox::refresh() {
  // What the user is typing stays until Enter or Escape.
  if (!isModified()) showActiveCell();
}

void NameBox::showActiveCell() {
  auto book = app_->activeBook();
  if (!book) {
    clear();
    setModified(false);
    return;
  }
  const host::CellRect& selection = book->activeSheet()->selection();
  setText(QString::fromStdString(host::columnLetters(selection.left) + std::to_string(selection.top)));
  setModified(false);
}

bool NameBox::goTo(const QString& address) {
  auto book = app_->activeBook();
  if (!book) return false;
  try {
    const host::ParsedAddress parsed = host::parseAddress(address.toStdString(), book->grid());
    std::shared_ptr<host::Sheet> sheet = book->activeSheet();
    if (parsed.sheet) {
      sheet = book->findSheet(*parsed.sheet);
      if (!sheet) throw Failure::host("This workbook has no sheet named '" + *parsed.sheet + "'.");
    }
    book->activateSheet(*sheet);
    sheet->select(parsed.rect);
  } catch (const Failure& failure) {
    forms::MsgBox("Reference isn't valid.\n\n" + failure.description(), forms::MsgButtons::OkOnly,
                  forms::MsgIcon::Exclamation, host::kHostTitle);
    showActiveCell();
    return false;
  }
  showActiveCell();
  clearFocus();
  return true;
}

void NameBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    showActiveCell();
    clearFocus();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void NameBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  showActiveCell();
}

}  // namespace tavrello::gui
