#include <any>
#include <cctype>
#include <string>

#include "platform/builder/expression_object.h"
#include "platform/forms/dialog_service.h"
#include "query/form_sql_new.h"
#include "support/maker_site.h"

// The builder and the statement box stay in step: every change in the
// builder rewrites the box, and text typed into the box reaches the builder
// when the box loses the focus.
namespace tavrello {
namespace {

// A statement that ends in a bare FROM has no table yet.
bool endsInBareFrom(const std::string& statement) {
  constexpr std::string_view kFrom = "FROM";
  if (statement.size() < kFrom.size()) return false;
  const std::string_view tail = std::string_view(statement).substr(statement.size() - kFrom.size());
  for (std::size_t i = 0; i < kFrom.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(tail[i])) != kFrom[i]) return false;
  }
  return true;
}

}  // namespace

void formSQLNew::SQLBuilder_OnSQLChanged() {
  TextSQL.Text(SQLBuilder.FormattedSQL());
  const bool usable = !endsInBareFrom(SQLBuilder.FormattedSQL());
  CommandExecute.Enabled(usable);
  CommandExcel.Enabled(usable);
  CommandEmbed.Enabled(usable && !TextEmbed.Text().empty());
  ComboFormats.Enabled(usable);
  for (forms::CheckBox* box :
       {&CheckBoxImportHeadings, &CheckAutofilter, &CheckNewWorkbook, &CheckActiveCell, &CheckSelectCell}) {
    box->Enabled(usable);
  }
}

void formSQLNew::TextSQL_LostFocus() {
  // A statement the builder accepts comes back through OnSQLChanged in the
  // builder's own layout, before the action that took the focus runs.
  try {
    SQLBuilder.SQL(TextSQL.Text());
  } catch (const Failure&) {
    forms::MsgBox("There is a problem with this SQL Statement - Please Check it!", forms::MsgButtons::OkOnly,
                  forms::MsgIcon::Information, kAppTitle);
  }
}

void formSQLNew::SQLBuilder_ExpressionEditRequest(std::any& args) {
  auto* const* expression = std::any_cast<builder::Expression*>(&args);
  if (!expression || !*expression) throw Failure::objectNotSet();
  builder::Expression& edited = **expression;
  // Cancelling the box answers the empty text, which empties the expression.
  const std::string answer = forms::InputBox("Enter expression", kAppTitle, edited.ExpressionText());
  if (answer != edited.ExpressionText()) edited.ExpressionText(answer);
}

}  // namespace tavrello
