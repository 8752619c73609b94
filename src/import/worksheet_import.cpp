#include <cstdint>

#include "addin/m_globals.h"
#include "import/formatting_schemes.h"
#include "import/import_run.h"
#include "import/result_block.h"
#include "platform/db/recordset.h"
#include "query/form_sql_new.h"

// Paste: the statement's rows copied into the worksheet as values, in one
// call of the host, with the field names above them when asked.
namespace tavrello {
namespace {

// The heading counter is a 16-bit number, as the window's code counts it.
std::int16_t nextHeading(std::int16_t counter) {
  std::int16_t next = 0;
  if (__builtin_add_overflow(counter, std::int16_t{1}, &next)) throw Failure::overflow();
  return next;
}

}  // namespace

void formSQLNew::CommandExcel_Click() {
  RunImport(*this, "CommandExcel_Click", [this](ImportRun& run) {
    host::Application& app = MGlobals::xlApp();
    db::Recordset& result = *run.result;
    // Closed right after the copy: the host may free the rows as it places them.
    result.ReleaseRowsWhenCopied(true);
    std::int32_t lastRowOffset = run.recordCount;
    if (CheckBoxImportHeadings.Value() == 1) {
      // The data goes in first, then the heading row above it.
      requireObject(requireObject(app.ActiveCell()).Offset(1, 0))
          .CopyFromRecordset(result, std::nullopt, std::nullopt, &run.changes);
      std::int16_t heading = 0;
      const db::Fields& fields = result.fields();
      for (long i = 0; i < fields.Count(); ++i) {
        requireObject(requireObject(app.ActiveCell()).Offset(0, heading)).Value(fields.Item(i).Name());
        heading = nextHeading(heading);
      }
    } else {
      requireObject(requireObject(app.ActiveCell()).Offset(0, 0))
          .CopyFromRecordset(result, std::nullopt, std::nullopt, &run.changes);
      lastRowOffset = run.recordCount - 1;
    }
    ApplyFormattingScheme(ComboFormats.Text(), lastRowOffset, run.fieldCount);
    if (CheckAutofilter.Value() == 1) requireObject(ResultBlock(lastRowOffset, run.fieldCount)).AutoFilter();
    result.Close();
    Unload();
  });
}

}  // namespace tavrello
