#include "gui/sheet_tabs.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>

#include "platform/forms/dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::gui {

SheetTabs::SheetTabs(QWidget* parent) : QWidget(parent), tabs_(new QTabBar(this)), add_(new QToolButton(this)) {
  setObjectName(QStringLiteral("sheetTabs"));
  tabs_->setShape(QTabBar::RoundedSouth);
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);
  tabs_->setUsesScrollButtons(true);
  add_->setText(QStringLiteral("+"));
  add_->setToolTip(tr("Insert Worksheet"));
  add_->setAutoRaise(true);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(tabs_);
  layout->addWidget(add_);
  layout->addStretch(1);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { tabChosen(index); });
  connect(add_, &QToolButton::clicked, this, [this] { addSheet(); });
  connect(tabs_, &QTabBar::tabBarDoubleClicked, this, [this](int index) { renameSheet(index); });
}

void SheetTabs::refresh(const std::shared_ptr<host::Book>& book) {
  const QSignalBlocker blocker(tabs_);
  book_ = book;
  add_->setEnabled(book != nullptr);
  const int count = book ? static_cast<int>(book->sheets().size()) : 0;
  while (tabs_->count() > count) tabs_->removeTab(tabs_->count() - 1);
  for (int i = 0; i < count; ++i) {
    const QString name = QString::fromStdString(book->sheets()[static_cast<std::size_t>(i)]->name());
    if (i >= tabs_->count()) tabs_->addTab(name);
    else if (tabs_->tabText(i) != name) tabs_->setTabText(i, name);
  }
  if (book) tabs_->setCurrentIndex(book->sheetIndex(*book->activeSheet()) - 1);
}

void SheetTabs::tabChosen(int index) {
  auto book = book_.lock();
  if (!book || index < 0 || index >= static_cast<int>(book->sheets().size())) return;
  book->activateSheet(*book->sheets()[static_cast<std::size_t>(index)]);
  emit sheetChosen();
}

void SheetTabs::renameSheet(int index) {
  auto book = book_.lock();
  if (!book || index < 0 || index >= static_cast<int>(book->sheets().size())) return;
  const auto& sheet = book->sheets()[static_cast<std::size_t>(index)];
  const std::string name = forms::InputBox("New name for the sheet " + sheet->name() + ":", "Rename Sheet", sheet->name());
  if (name.empty() || name == sheet->name()) return;
  try {
    sheet->Name(name);
  } catch (const Failure& failure) {
    forms::MsgBox(failure.description(), forms::MsgButtons::OkOnly, forms::MsgIcon::Exclamation, host::kHostTitle);
    return;
  }
  refresh(book);
  emit sheetChosen();
}

void SheetTabs::addSheet() {
  auto book = book_.lock();
  if (!book) return;
  book->activateSheet(*book->addSheet());
  refresh(book);
  emit sheetChosen();
}

}  // namespace tavrello::gui
