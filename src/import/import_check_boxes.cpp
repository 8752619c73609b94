#include <initializer_list>

#include "query/form_sql_new.h"

// The boxes of the query window's Excel frame that steer an import: the
// three destinations exclude one another, and without headings there is no
// row for an auto filter's buttons.
namespace tavrello {
namespace {

// A destination box left ticked clears the other two; clearing one changes
// nothing else, so all three may be clear (the import then uses the active
// cell).
void keepOnlyDestination(forms::CheckBox& ticked, std::initializer_list<forms::CheckBox*> others) {
  if (ticked.Value() != 1) return;
  for (forms::CheckBox* other : others) other->Value(0);
}

}  // namespace

void formSQLNew::CheckNewWorkbook_Click() { keepOnlyDestination(CheckNewWorkbook, {&CheckActiveCell, &CheckSelectCell}); }

void formSQLNew::CheckActiveCell_Click() { keepOnlyDestination(CheckActiveCell, {&CheckNewWorkbook, &CheckSelectCell}); }

void formSQLNew::CheckSelectCell_Click() { keepOnlyDestination(CheckSelectCell, {&CheckNewWorkbook, &CheckActiveCell}); }

void formSQLNew::CheckBoxImportHeadings_Click() {
  if (CheckBoxImportHeadings.Value() != 0) {
    CheckAutofilter.Enabled(true);
    return;
  }
  CheckAutofilter.Value(0);
  CheckAutofilter.Enabled(false);
}

}  // namespace tavrello
