#include "gui/range_prompt.h"

#include <vector>

#include <QApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/host_window.h"
#include "gui/sheet_view.h"
#include "gui/sheet_model.h"
#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/sheet.h"

namespace tavrello::gui {

RangePrompt::RangePrompt(HostWindow& window, const std::string& prompt, const std::string& title,
                         const std::string& defaultAddress)
    : QDialog(&window, Qt::Tool), window_(&window), address_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("rangePrompt"));
  setWindowTitle(QString::fromStdString(title));
  auto* layout = new QVBoxLayout(this);
  QString text = QString::fromStdString(prompt);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  auto* label = new QLabel(text, this);
  label->setWordWrap(true);
  layout->addWidget(label);
  address_->setObjectName(QStringLiteral("rangeAddress"));
  address_->setText(QString::fromStdString(defaultAddress));
  address_->selectAll();
  layout->addWidget(address_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  if (auto sheet = window.sheetView().sheetModel().sheet()) startSheet_ = sheet->name();
  connect(&window.sheetView(), &SheetView::userSelected, this, [this] { pointed(); });
  resize(320, sizeHint().height());
}

RangePrompt::~RangePrompt() = default;

void RangePrompt::pointed() {
  if (!window_) return;
  auto sheet = window_->sheetView().sheetModel().sheet();
  if (!sheet) return;
  std::string address = host::absoluteAddress(sheet->selection());
  if (!host::sameName(sheet->name(), startSheet_)) address = host::referenceSheetName(sheet->name()) + "!" + address;
  address_->setText(QString::fromStdString(address));
}

std::optional<std::string> RangePrompt::ask() {
  // The other windows wait, as under a modal box; the host window stays
  // open to pointing.
  std::vector<QPointer<QWidget>> disabled;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top == this || top == window_ || !top->isVisible() || !top->isEnabled()) continue;
    top->setEnabled(false);
    disabled.emplace_back(top);
  }
  if (window_) window_->setPointing(true);
  QEventLoop loop;
  connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  show();
  raise();
  activateWindow();
  address_->setFocus();
  loop.exec();
  if (window_) window_->setPointing(false);
  for (const auto& widget : disabled) {
    if (widget) widget->setEnabled(true);
  }
  if (result() != QDialog::Accepted) return std::nullopt;
  return address_->text().toStdString();
}

}  // namespace tavrello::gui
