#include "import/import_run.h"

#include <limits>

#include "addin/m_globals.h"
#include "import/changed_values_report.h"
#include "import/destination_choice.h"
#include "import/grid_limits.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/forms/dialog_service.h"
#include "query/form_sql_new.h"
#include "query/statement_guard.h"
#include "support/m_error_handler.h"
#include "support/maker_site.h"

namespace tavrello {
namespace {

constexpr long kOpenState = 1;

std::int32_t toInt32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    throw Failure::overflow();
  return static_cast<std::int32_t>(value);
}

void inform(const std::string& message) {
  forms::MsgBox(message, forms::MsgButtons::OkOnly, forms::MsgIcon::Information, kAppTitle);
}

}  // namespace

bool PrepareImport(formSQLNew& form, ImportRun& run) {
  if (!RunStatementGuard(form, ConnectionCheck::RequireOpen)) return false;
  run.result = requireObject(MGlobals::gcnDatabase).Execute(form.TextSQL.Text());
  host::Application& app = MGlobals::xlApp();
  const double version = HostVersionNumber(app.Version());
  run.recordCount = toInt32(run.result->RecordCount());
  run.fieldCount = toInt32(run.result->fields().Count());
  if (run.result->Eof()) {
    inform("No records were returned (record count = 0),  Please check your SQL statement!");
    run.noRecords = true;
    return false;
  }
  if (!ChooseDestination(form)) return false;
  // From here on the destination is the host's active cell.
  const std::shared_ptr<host::Range> destination = app.ActiveCell();
  const std::int32_t firstDataRow = form.CheckBoxImportHeadings.Value() == 1
                                        ? requireObject(requireObject(destination).Offset(1, 0)).Row()
                                        : requireObject(destination).Row();
  if (auto refusal = GridLimitRefusal(
          version, {run.recordCount, firstDataRow, run.fieldCount, requireObject(destination).Column()})) {
    inform(*refusal);
    return false;
  }
  return true;
}

void EndImport(ImportRun& run) noexcept {
  run.result.reset();
  try {
    if (MGlobals::gcnDatabase && MGlobals::gcnDatabase->State() == kOpenState) MGlobals::gcnDatabase->Close();
  } catch (...) {
  }
  MGlobals::gcnDatabase.reset();
}

void RunImport(formSQLNew& form, std::string_view procedure, const std::function<void(ImportRun&)>& write) {
  ImportRun run;
  MErrorHandler::handled(formSQLNew::kModule, procedure, [&] {
    if (PrepareImport(form, run)) write(run);
  });
  if (run.noRecords) return;
  EndImport(run);
  TellChangedValues(run.changes, procedure);
}

}  // namespace tavrello
