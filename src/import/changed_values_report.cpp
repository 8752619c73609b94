#include "import/changed_values_report.h"

#include "platform/forms/dialog_service.h"
#include "query/form_sql_new.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

namespace tavrello {
namespace {

std::string countOf(std::int64_t cells, const char* one, const char* many) {
  return std::to_string(cells) + " " + (cells == 1 ? one : many);
}

std::string describe(const host::ColumnChange& change) {
  const bool one = change.cells == 1;
  switch (change.change) {
    case host::CellChange::TextCut:
      return countOf(change.cells, "text", "texts") + " longer than 32,767 characters " + (one ? "was" : "were") +
             " cut to that length.";
    case host::CellChange::NumberAsText:
      return countOf(change.cells, "number", "numbers") +
             " with more than 15 significant digits, or not finite, " + (one ? "was" : "were") +
             " kept as text so that no digit is lost.";
    case host::CellChange::BinaryLeftBlank:
      return countOf(change.cells, "binary value", "binary values") + " " + (one ? "was" : "were") +
             " left blank: a cell cannot hold binary data.";
    case host::CellChange::DateAsText:
      return countOf(change.cells, "date", "dates") + " before 1 March 1900 " + (one ? "was" : "were") +
             " kept as text, as spreadsheets cannot show them as dates.";
  }
  return {};
}

}  // namespace

std::vector<std::string> ChangedValueLines(const host::CopyReport& report) {
  std::vector<std::string> lines;
  for (const host::ColumnChange& change : report.changes)
    lines.push_back("Column \"" + change.field + "\": " + describe(change));
  return lines;
}

void TellChangedValues(const host::CopyReport& report, std::string_view procedure) noexcept {
  if (report.empty()) return;
  try {
    const std::vector<std::string> lines = ChangedValueLines(report);
    std::string text = "Some values could not be placed in the sheet exactly as the database gave them:";
    for (const std::string& line : lines) {
      text += "\r\n" + line;
      MErrorHandler::LogNote(formSQLNew::kModule, procedure, line);
    }
    forms::MsgBox(text, forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kAppTitle);
  } catch (...) {
    // Out of memory while telling; the import itself is done.
  }
}

}  // namespace tavrello
