#include "gui/window_progress.h"

#include <exception>
#include <thread>

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLocale>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include "gui/progress_box.h"

namespace tavrello::gui {

namespace {

// Between two looks at the window's events during a save.
constexpr std::chrono::milliseconds kPumpEvery{30};

bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

QString grouped(std::uint64_t n) { return QLocale(QLocale::English).toString(static_cast<qulonglong>(n)); }

}  // namespace

// One stretch of work on the window's thread: the first begins the
// operation; while any lasts the user's input is held back; when the last
// ends, the operation may end at the next turn of an event loop.
class WindowProgress::Busy {
 public:
  explicit Busy(WindowProgress& progress) : progress_(progress) {
    if (!progress_.active_) progress_.begin();
    if (progress_.busy_++ == 0) qApp->installEventFilter(&progress_);
  }
  ~Busy() {
    if (--progress_.busy_ > 0) return;
    qApp->removeEventFilter(&progress_);
    progress_.ender_.start();
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  WindowProgress& progress_;
};

WindowProgress::WindowProgress(QWidget* window)
    : window_(window), previousFetch_(db::setFetchWatcher(this)), previousSave_(host::xlsx::setSaveWatcher(this)) {
  ticker_.setInterval(100);
  connect(&ticker_, &QTimer::timeout, this, [this] { tick(); });
  ender_.setSingleShot(true);
  ender_.setInterval(0);
  connect(&ender_, &QTimer::timeout, this, [this] {
    if (busy_ == 0 && active_) finish();
  });
}

WindowProgress::~WindowProgress() {
  host::xlsx::setSaveWatcher(previousSave_);
  db::setFetchWatcher(previousFetch_);
}

void WindowProgress::rowsFetched(std::int64_t rows) { rows_.store(rows); }

bool WindowProgress::cancelRequested() { return cancel_.load(); }

bool WindowProgress::onWindowThread() const { return QThread::currentThread() == thread(); }

void WindowProgress::runStatement(const std::function<void()>& statement) {
  // Only the window's thread has a window to keep alive.
  if (!onWindowThread()) {
    statement();
    return;
  }
  Busy busy(*this);
  rows_.store(0);
  saving_ = false;
  std::exception_ptr failure;
  QEventLoop loop;
  std::thread worker([&] {
    try {
      statement();
    } catch (...) {
      failure = std::current_exception();
    }
    // Queued: the loop may not have started yet, and the quit must reach it
    // on its own thread.
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

void WindowProgress::saveProgress(std::uint64_t bytes) {
  if (!onWindowThread()) return;
  Busy busy(*this);
  if (!saving_) savedBytes_ = 0;
  saving_ = true;
  savedBytes_ += bytes;
  const Clock::time_point now = Clock::now();
  if (now - pumpedAt_ < kPumpEvery) return;
  pumpedAt_ = now;
  QCoreApplication::processEvents();
}

ProgressBox* WindowProgress::shownBox() const { return box_ && box_->isVisible() ? box_.get() : nullptr; }

void WindowProgress::begin() {
  active_ = true;
  start_ = Clock::now();
  cancel_.store(false);
  rows_.store(0);
  savedBytes_ = 0;
  saving_ = false;
  ticker_.start();
}

void WindowProgress::tick() {
  if (busy_ == 0) return;
  const Clock::duration elapsed = Clock::now() - start_;
  if (!shownBox() && elapsed < kShowAfter) return;
  if (!box_) box_ = std::make_unique<ProgressBox>(window_, [this] { cancel_.store(true); });
  const QString seconds = QString::number(std::chrono::duration<double>(elapsed).count(), 'f', 1) + " s";
  if (saving_) {
    box_->setTexts(QStringLiteral("Saving the workbook…"),
                   QLocale(QLocale::English).toString(static_cast<double>(savedBytes_) / 1e6, 'f', 1) +
                       " MB written, " + seconds);
  } else {
    box_->setTexts(QStringLiteral("Running the statement…"),
                   grouped(static_cast<std::uint64_t>(rows_.load())) + " rows read, " + seconds);
  }
  if (!box_->isVisible()) {
    box_->reset();
    box_->adjustSize();
    // Over the window the user worked in: the query window, or the host's.
    const QWidget* over = QApplication::activeWindow() ? QApplication::activeWindow() : window_;
    box_->move(over->geometry().center() - box_->rect().center());
    box_->show();
  }
}

void WindowProgress::finish() {
  active_ = false;
  ticker_.stop();
  if (box_) box_->hide();
}

bool WindowProgress::inBox(QObject* object) const {
  if (!box_) return false;
  if (object == box_->windowHandle()) return true;
  for (QObject* at = object; at; at = at->parent()) {
    if (at == box_.get()) return true;
  }
  return false;
}

bool WindowProgress::eventFilter(QObject* watched, QEvent* event) {
  if (inBox(watched)) return false;
  if (event->type() == QEvent::Close) {
    // The window's close box: the operation must end first.
    event->ignore();
    return true;
  }
  return isUserInput(event->type());
}

}  // namespace tavrello::gui
