#include "platform/host/workbook/book.h"

#include "platform/forms/dialog_service.h"
#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/host/xlsx/book_writer.h"
#include "platform/system/failure.h"

namespace tavrello::host {

namespace {

class BookWorksheets : public Worksheets {
 public:
  explicit BookWorksheets(std::shared_ptr<Book> book) : book_(std::move(book)) {}

  std::int32_t Count() const override { return static_cast<std::int32_t>(book_->sheets().size()); }

  std::shared_ptr<Worksheet> Item(std::int32_t index) const override {
    if (index < 1 || index > Count()) throw Failure::subscriptOutOfRange();
    return book_->sheets()[static_cast<std::size_t>(index - 1)];
  }

  std::shared_ptr<Worksheet> Item(const std::string& name) const override {
    if (auto sheet = book_->findSheet(name)) return sheet;
    throw Failure::subscriptOutOfRange();
  }

  std::shared_ptr<Worksheet> Add() override {
    auto sheet = book_->addSheet();
    book_->activateSheet(*sheet);
    return sheet;
  }

 private:
  std::shared_ptr<Book> book_;
};

}  // namespace

Book::Book(std::weak_ptr<WorkbookApplication> application, std::string name, GridSize grid)
    : application_(std::move(application)), name_(std::move(name)), grid_(grid) {}

std::string Book::Name() const { return name_; }

std::shared_ptr<Worksheets> Book::Worksheets() { return std::make_shared<BookWorksheets>(shared_from_this()); }

std::shared_ptr<Worksheet> Book::ActiveSheet() { return activeSheet(); }

void Book::Activate() { application()->activateBook(*this); }

std::string Book::FullName() const { return path_.empty() ? name_ : path_.string(); }

std::vector<std::string> Book::saveTo(const std::filesystem::path& path) {
  std::filesystem::path file = path;
  if (!file.has_extension()) file += ".xlsx";
  if (!sameName(file.extension().string(), ".xlsx"))
    throw Failure::host("This host saves workbooks as .xlsx files, not as '" + file.extension().string() + "'.");
  file = std::filesystem::absolute(file);
  xlsx::SaveReport report = xlsx::saveBook(*this, file);
  path_ = file;
  name_ = file.filename().string();
  return report.warnings;
}

void Book::SaveAs(const std::string& Filename) {
  if (Filename.empty()) throw Failure::host("SaveAs needs a file name.");
  std::vector<std::string> warnings = saveTo(Filename);
  if (warnings.empty()) return;
  std::string text = "The workbook was saved as " + name_ + ", but:";
  for (const auto& warning : warnings) text += "\n\n" + warning;
  forms::MsgBox(text, forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kHostTitle);
}

void Book::Save() {
  if (path_.empty()) throw Failure::host("The workbook " + name_ + " has no file yet: save it with SaveAs.");
  SaveAs(path_.string());
}

void Book::setFile(std::filesystem::path path, std::vector<std::string> unkeptParts) {
  path_ = std::move(path);
  name_ = path_.filename().string();
  unkeptParts_ = std::move(unkeptParts);
}

std::shared_ptr<WorkbookApplication> Book::application() const {
  auto app = application_.lock();
  if (!app) throw Failure::host("The workbook's application has been closed.");
  return app;
}

std::shared_ptr<Sheet> Book::addSheet() {
  int number = 1;
  while (findSheet("Sheet" + std::to_string(number))) ++number;
  auto sheet = std::make_shared<Sheet>(weak_from_this(), "Sheet" + std::to_string(number), grid_);
  sheets_.push_back(sheet);
  return sheet;
}

std::shared_ptr<Sheet> Book::activeSheet() const {
  return activeSheet_ < sheets_.size() ? sheets_[activeSheet_] : nullptr;
}

void Book::activateSheet(const Sheet& sheet) {
  std::int32_t index = sheetIndex(sheet);
  if (index == 0) throw Failure::host("The sheet does not belong to this workbook.");
  activeSheet_ = static_cast<std::size_t>(index - 1);
}

std::int32_t Book::sheetIndex(const Sheet& sheet) const {
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    if (sheets_[i].get() == &sheet) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

std::shared_ptr<Sheet> Book::findSheet(const std::string& name) const {
  for (const auto& sheet : sheets_) {
    if (sameName(sheet->name(), name)) return sheet;
  }
  return nullptr;
}

}  // namespace tavrello::host
