#include "platform/host/workbook/workbook_application.h"

#include "platform/forms/dialog_service.h"
#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/host_command_bars.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_range.h"
#include "platform/host/xlsx/book_reader.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

class AppWorkbooks : public Workbooks {
 public:
  explicit AppWorkbooks(std::shared_ptr<WorkbookApplication> app) : app_(std::move(app)) {}

  std::int32_t Count() const override { return static_cast<std::int32_t>(app_->books().size()); }

  std::shared_ptr<Workbook> Item(std::int32_t index) const override {
    if (index < 1 || index > Count()) throw Failure::subscriptOutOfRange();
    return app_->books()[static_cast<std::size_t>(index - 1)];
  }

  std::shared_ptr<Workbook> Item(const std::string& name) const override {
    for (const auto& book : app_->books()) {
      if (sameName(book->Name(), name)) return book;
    }
    throw Failure::subscriptOutOfRange();
  }

  std::shared_ptr<Workbook> Add() override { return app_->addBook(); }

  std::shared_ptr<Workbook> Open(const std::string& Filename) override {
    auto book = app_->openBook(Filename);
    const auto& unkept = book->unkeptParts();
    if (!unkept.empty()) {
      std::string text = "This host does not keep these parts of " + book->Name() +
                         "; they are left out when the workbook is saved:";
      for (const auto& part : unkept) text += "\n- " + part;
      forms::MsgBox(text, forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kHostTitle);
    }
    return book;
  }

 private:
  std::shared_ptr<WorkbookApplication> app_;
};

}  // namespace

std::shared_ptr<WorkbookApplication> WorkbookApplication::create(std::string version) {
  auto app = std::make_shared<WorkbookApplication>(Private(), std::move(version));
  app->commandBars_ = HostCommandBars::create(app);
  return app;
}

WorkbookApplication::WorkbookApplication(Private, std::string version)
    : version_(std::move(version)), grid_(gridForVersion(version_)) {}

WorkbookApplication::~WorkbookApplication() = default;

std::string WorkbookApplication::Version() const { return version_; }

bool WorkbookApplication::ScreenUpdating() const { return screenUpdating_; }

void WorkbookApplication::ScreenUpdating(bool on) { screenUpdating_ = on; }

std::shared_ptr<Workbooks> WorkbookApplication::Workbooks() {
  return std::make_shared<AppWorkbooks>(shared_from_this());
}

std::shared_ptr<Workbook> WorkbookApplication::ActiveWorkbook() { return activeBook(); }

std::shared_ptr<Worksheet> WorkbookApplication::ActiveSheet() {
  auto book = activeBook();
  return book ? book->activeSheet() : nullptr;
}

std::shared_ptr<Range> WorkbookApplication::ActiveCell() {
  auto book = activeBook();
  if (!book) return nullptr;
  auto sheet = book->activeSheet();
  const CellRect& selection = sheet->selection();
  return sheet->range(CellRect::cell(selection.top, selection.left));
}

std::shared_ptr<Sheet> WorkbookApplication::requireActiveSheet() const {
  auto book = activeBook();
  if (!book) throw Failure::host("No workbook is open.");
  return book->activeSheet();
}

std::shared_ptr<Range> WorkbookApplication::resolve(const std::string& address) const {
  auto sheet = requireActiveSheet();
  ParsedAddress parsed = parseAddress(address, grid_);
  if (parsed.sheet) {
    auto named = sheet->book()->findSheet(*parsed.sheet);
    if (!named) throw Failure::host("'" + address + "' names a sheet this workbook does not have.");
    sheet = named;
  }
  return sheet->range(parsed.rect);
}

std::shared_ptr<Range> WorkbookApplication::Range(const std::string& address) { return resolve(address); }

std::shared_ptr<Range> WorkbookApplication::Range(const std::shared_ptr<host::Range>& Cell1,
                                                  const std::shared_ptr<host::Range>& Cell2) {
  const SheetRange& first = sheetRange(Cell1);
  return first.sheet()->Range(Cell1, Cell2);
}

std::shared_ptr<Range> WorkbookApplication::InputBox(const std::string& Prompt, const std::string& Title,
                                                     const std::string& Default, int Type) {
  if (Type != 8) throw Failure::invalidCall("InputBox: this host asks only for cell references (Type 8).");
  std::string shown = Default;
  for (;;) {
    std::optional<std::string> answer = forms::dialogs().rangePrompt(Prompt, Title, shown);
    if (!answer) return nullptr;
    std::string text = *answer;
    // A reference picked with the mouse arrives as a formula ("=$B$3").
    auto start = text.find_first_not_of(" \t");
    if (start != std::string::npos && text[start] == '=') text.erase(0, start + 1);
    try {
      return resolve(text);
    } catch (const Failure& failure) {
      forms::MsgBox(failure.description() +
                        "\n\nType a cell such as B3, $B$3 or Sheet2!B3, or a block such as B2:D4.",
                    forms::MsgButtons::OkOnly, forms::MsgIcon::Exclamation, kHostTitle);
      shown = *answer;
    }
  }
}

std::shared_ptr<CommandBars> WorkbookApplication::CommandBars() { return commandBars_; }

std::shared_ptr<Book> WorkbookApplication::addBook() {
  auto book = std::make_shared<Book>(weak_from_this(), "Book" + std::to_string(++bookCounter_), grid_);
  book->addSheet();
  books_.push_back(book);
  activeBook_ = books_.size() - 1;
  return book;
}

std::shared_ptr<Book> WorkbookApplication::openBook(const std::filesystem::path& file) {
  const std::filesystem::path full = std::filesystem::absolute(file);
  for (const auto& book : books_) {
    if (!book->path().empty() && book->path() == full) {
      activateBook(*book);
      return book;
    }
  }
  for (const auto& book : books_) {
    if (sameName(book->Name(), full.filename().string()))
      throw Failure::host("A workbook named " + book->Name() + " is open already; close it before opening " +
                          full.string() + ".");
  }
  auto book = xlsx::readBook(*this, full);
  books_.push_back(book);
  activeBook_ = books_.size() - 1;
  return book;
}

std::shared_ptr<Book> WorkbookApplication::activeBook() const {
  return activeBook_ < books_.size() ? books_[activeBook_] : nullptr;
}

void WorkbookApplication::activateBook(const Book& book) {
  for (std::size_t i = 0; i < books_.size(); ++i) {
    if (books_[i].get() == &book) {
      activeBook_ = i;
      return;
    }
  }
  throw Failure::host("The workbook is not open in this host.");
}

void WorkbookApplication::closeBook(const Book& book) {
  const std::shared_ptr<Book> active = activeBook();
  std::erase_if(books_, [&](const std::shared_ptr<Book>& open) { return open.get() == &book; });
  activeBook_ = books_.empty() ? 0 : books_.size() - 1;
  for (std::size_t i = 0; i < books_.size(); ++i) {
    if (books_[i] == active) activeBook_ = i;
  }
}

}  // namespace tavrello::host
