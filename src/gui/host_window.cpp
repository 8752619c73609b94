#include "gui/host_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gui/addins_dialog.h"
#include "gui/cell_entry.h"
#include "gui/command_bar_toolbars.h"
#include "gui/name_box.h"
#include "gui/saved_states.h"
#include "gui/sheet_model.h"
#include "gui/sheet_tabs.h"
#include "gui/sheet_view.h"
#include "gui/workbook_files.h"
#include "platform/forms/dialog_service.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/cell_text.h"
#include "platform/host/workbook/connection_trust.h"
#include "platform/host/workbook/password_refresh.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/system/failure.h"

namespace tavrello::gui {

HostWindow::HostWindow(std::shared_ptr<host::WorkbookApplication> app, AddinSwitch* addins, QWidget* parent)
    : QMainWindow(parent), app_(std::move(app)), addins_(addins), saved_(std::make_unique<SavedStates>()) {
  setObjectName(QStringLiteral("hostWindow"));
  QSize size(1000, 680);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() * 0.9);
  resize(size);
  buildCentralArea();
  buildMenus();
  modeLabel_ = new QLabel(tr("Ready"), this);
  summaryLabel_ = new QLabel(this);
  statusBar()->addWidget(modeLabel_, 1);
  statusBar()->addPermanentWidget(summaryLabel_);
  toolbars_ = new CommandBarToolbars(*this, app_->commandBars());
  connect(toolbars_, &CommandBarToolbars::controlUsed, this, [this] { refresh(); });

  refreshTimer_.setSingleShot(true);
  refreshTimer_.setInterval(0);
  connect(&refreshTimer_, &QTimer::timeout, this, [this] { refresh(); });
  qApp->installEventFilter(this);
  refresh();
}

HostWindow::~HostWindow() { qApp->removeEventFilter(this); }

void HostWindow::buildCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(2, 2, 2, 0);
  layout->setSpacing(2);

  auto* entryRow = new QHBoxLayout;
  nameBox_ = new NameBox(app_, central);
  auto* fx = new QLabel(QStringLiteral("fx"), central);
  fx->setStyleSheet(QStringLiteral("font-style: italic; color: #555; padding: 0 6px;"));
  entryLine_ = new QLineEdit(central);
  entryLine_->setObjectName(QStringLiteral("entryLine"));
  entryLine_->setToolTip(tr("The active cell's value; type a new one and press Enter."));
  entryLine_->setFocusPolicy(Qt::ClickFocus);
  entryRow->addWidget(nameBox_);
  entryRow->addWidget(fx);
  entryRow->addWidget(entryLine_, 1);
  layout->addLayout(entryRow);

  sheetView_ = new SheetView(central);
  layout->addWidget(sheetView_, 1);
  setFocusProxy(sheetView_);
  sheetTabs_ = new SheetTabs(central);
  layout->addWidget(sheetTabs_);
  setCentralWidget(central);

  connect(nameBox_, &NameBox::selectionChosen, this, [this] {
    refresh();
    sheetView_->setFocus();
  });
  connect(sheetTabs_, &SheetTabs::sheetChosen, this, [this] { refresh(); });
  connect(sheetView_, &SheetView::userSelected, this, [this] {
    nameBox_->refresh();
    refreshEntryLine();
    refreshStatus();
  });
  connect(entryLine_, &QLineEdit::returnPressed, this, [this] { entryLineCommitted(); });
  // Leaving the line without Enter drops what was typed.
  connect(entryLine_, &QLineEdit::editingFinished, this, [this] {
    entryLine_->setModified(false);
    refreshEntryLine();
  });
}

void HostWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("menuFile"));
  QAction* newBook = file->addAction(tr("&New"), this, [this] { newWorkbook(); });
  newBook->setShortcut(QKeySequence::New);
  QAction* open = file->addAction(tr("&Open..."), this, [this] { openWorkbook(); });
  open->setShortcut(QKeySequence::Open);
  QAction* save = file->addAction(tr("&Save"), this, [this] { saveWorkbook(); });
  save->setShortcut(QKeySequence::Save);
  file->addAction(tr("Save &As..."), this, [this] { saveWorkbookAs(); });
  QAction* closeBook = file->addAction(tr("&Close"), this, [this] { closeWorkbook(); });
  closeBook->setShortcut(QKeySequence::Close);
  file->addSeparator();
  file->addAction(tr("E&xit"), this, [this] { close(); });

  QMenu* data = menuBar()->addMenu(tr("&Data"));
  data->setObjectName(QStringLiteral("menuData"));
  data->addAction(tr("Refresh &All"), this, [this] { refreshAll(); });

  QMenu* tools = menuBar()->addMenu(tr("&Tools"));
  tools->setObjectName(QStringLiteral("menuTools"));
  QAction* addinsAction = tools->addAction(tr("&Add-ins..."), this, [this] { showAddinsDialog(); });
  addinsAction->setEnabled(addins_ != nullptr);
}

bool HostWindow::eventFilter(QObject* watched, QEvent* event) {
  // Whatever the user did may have run add-in code that changed the model.
  switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
    case QEvent::Close:
      scheduleRefresh();
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void HostWindow::scheduleRefresh() {
  if (!refreshTimer_.isActive()) refreshTimer_.start();
}

void HostWindow::refresh() {
  refreshTimer_.stop();
  toolbars_->refresh();
  auto book = app_->activeBook();
  setWindowTitle(book ? QString::fromStdString(book->Name()) + QStringLiteral(" - ") + host::kHostTitle
                      : QString::fromUtf8(host::kHostTitle));
  sheetTabs_->refresh(book);
  // While an add-in has switched screen updating off, the grid stays as it is.
  if (app_->ScreenUpdating()) showActiveSheet();
  nameBox_->refresh();
  refreshEntryLine();
  refreshStatus();
}

void HostWindow::showActiveSheet() {
  auto book = app_->activeBook();
  std::shared_ptr<host::Sheet> sheet = book ? book->activeSheet() : nullptr;
  if (sheet.get() != shownSheet_ || sheet != sheetView_->sheetModel().sheet()) {
    shownSheet_ = sheet.get();
    sheetView_->showSheet(sheet);
  } else {
    sheetView_->refresh();
  }
  sheetView_->setEnabled(sheet != nullptr);
  entryLine_->setEnabled(sheet != nullptr);
}

void HostWindow::refreshEntryLine() {
  if (entryLine_->isModified()) return;
  auto book = app_->activeBook();
  if (!book) {
    entryLine_->clear();
    return;
  }
  auto sheet = book->activeSheet();
  const host::CellRect& selection = sheet->selection();
  entryLine_->setText(QString::fromStdString(cellEntryText(sheet->value(selection.top, selection.left))));
  entryLine_->setModified(false);
}

void HostWindow::entryLineCommitted() {
  auto book = app_->activeBook();
  if (!book) return;
  auto sheet = book->activeSheet();
  const host::CellRect& selection = sheet->selection();
  sheet->setValue(selection.top, selection.left, readCellEntry(entryLine_->text().toStdString()));
  entryLine_->setModified(false);
  sheetView_->setFocus();
  refresh();
}

void HostWindow::refreshStatus() {
  modeLabel_->setText(pointing_ ? tr("Point") : tr("Ready"));
  auto book = app_->activeBook();
  if (!book) {
    summaryLabel_->clear();
    return;
  }
  auto sheet = book->activeSheet();
  const host::CellRect& selection = sheet->selection();
  if (selection.count() < 2) {
    summaryLabel_->clear();
    return;
  }
  // Only stored cells are visited, so a whole column costs what it holds.
  std::int64_t count = 0;
  std::int64_t numbers = 0;
  double sum = 0;
  sheet->cells().forEach(selection, [&](std::int32_t, std::int32_t, const host::Cell& cell) {
    if (cell.isEmpty()) return;
    ++count;
    if (cell.kind() == host::CellKind::Number && !book->styles().isDateStyle(cell.style())) {
      ++numbers;
      sum += cell.number();
    }
  });
  QString text = tr("Count: %1").arg(count);
  if (numbers > 0) text += QStringLiteral("    ") + tr("Sum: %1").arg(QString::fromStdString(host::generalNumberText(sum)));
  summaryLabel_->setText(text);
}

void HostWindow::setPointing(bool pointing) {
  pointing_ = pointing;
  menuBar()->setEnabled(!pointing);
  toolbars_->setEnabled(!pointing);
  nameBox_->setEnabled(!pointing);
  entryLine_->setEnabled(!pointing && app_->activeBook());
  refreshStatus();
}

void HostWindow::newWorkbook() {
  app_->addBook();
  refresh();
}

void HostWindow::openWorkbook() {
  WorkbookFiles(*app_, *saved_).open();
  refresh();
}

void HostWindow::openWorkbookFiles(const std::vector<std::string>& paths) {
  WorkbookFiles files(*app_, *saved_);
  for (const std::string& path : paths) files.openFile(path);
  refresh();
}

bool HostWindow::saveWorkbook() {
  const bool saved = WorkbookFiles(*app_, *saved_).save();
  refresh();
  return saved;
}

bool HostWindow::saveWorkbookAs() {
  const bool saved = WorkbookFiles(*app_, *saved_).saveAs();
  refresh();
  return saved;
}

bool HostWindow::closeWorkbook() {
  const bool closed = WorkbookFiles(*app_, *saved_).closeActive();
  refresh();
  return closed;
}

void HostWindow::showAddinsDialog() {
  if (!addins_) return;
  AddinsDialog dialog(*addins_, this);
  dialog.exec();
  refresh();
}

bool HostWindow::connectionsTrusted(const std::shared_ptr<host::Book>& book) {
  std::erase_if(trustedBooks_, [](const auto& trusted) { return trusted.expired(); });
  for (const auto& trusted : trustedBooks_) {
    if (trusted.lock() == book) return true;
  }
  std::string reasons;
  for (const auto& sheet : book->sheets()) {
    for (const auto& table : sheet->queryTables()) {
      if (auto why = host::untrustedReason(host::joinConnection(table->Connection())))
        reasons += "\u2022 " + table->Name() + " on " + sheet->name() + ": " + *why + ".\n";
    }
  }
  if (reasons.empty()) return true;
  const auto answer = forms::MsgBox(
      "Connections of the workbook " + book->Name() +
          " were chosen by whoever wrote it and could run programs or read files on this computer:\n\n" + reasons +
          "\nRefresh these query tables only if you trust the workbook. Refresh them?",
      forms::MsgButtons::YesNo, forms::MsgIcon::Exclamation, host::kHostTitle);
  if (answer != forms::MsgResult::Yes) return false;
  trustedBooks_.push_back(book);
  return true;
}

void HostWindow::refreshAll() {
  auto book = app_->activeBook();
  if (!book) return;
  const bool trusted = connectionsTrusted(book);
  // What the refreshes had to change in the values they placed, told once.
  std::string changed;
  for (const auto& sheet : book->sheets()) {
    // Refreshing may add or remove tables of the sheet: work on a copy.
    const auto tables = sheet->queryTables();
    for (const auto& table : tables) {
      if (!trusted && host::untrustedReason(host::joinConnection(table->Connection()))) continue;
      try {
        host::refreshAskingPassword(*table, [&] {
          return forms::dialogs().passwordPrompt("The query table " + table->Name() + " on " + sheet->name() +
                                                     " connects as a user whose password was not saved with the "
                                                     "workbook. Password:",
                                                 host::kHostTitle);
        });
        for (const host::ColumnChange& change : table->LastRefreshChanges().changes)
          changed += "\n" + table->Name() + " on " + sheet->name() + ": " + change.toString();
      } catch (const Failure& failure) {
        forms::MsgBox("The query table " + table->Name() + " on " + sheet->name() +
                          " could not be refreshed:\n\n" + failure.description(),
                      forms::MsgButtons::OkOnly, forms::MsgIcon::Critical, host::kHostTitle);
      }
    }
  }
  if (!changed.empty())
    forms::MsgBox("Some values could not be placed in the sheet exactly as the database gave them:" + changed,
                  forms::MsgButtons::OkOnly, forms::MsgIcon::Information, host::kHostTitle);
  refresh();
}

void HostWindow::closeEvent(QCloseEvent* event) {
  if (!WorkbookFiles(*app_, *saved_).closeAll()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tavrello::gui
