#include "addin/m_globals.h"
#include "import/formatting_schemes.h"
#include "import/import_run.h"
#include "import/query_connection_argument.h"
#include "import/result_block.h"
#include "platform/db/recordset.h"
#include "platform/host/query_tables.h"
#include "profiles/connection_list.h"
#include "profiles/settings_store.h"
#include "query/form_sql_new.h"

// Embed: the statement placed in the active sheet as a query table that the
// host fills now and can refresh later from the stored connection, without
// the add-in.
namespace tavrello {

void formSQLNew::CommandEmbed_Click() {
  RunImport(*this, "CommandEmbed_Click", [this](ImportRun& run) {
    // The preparation's result set served its tests; the host runs the
    // statement again through its own connection.
    run.result->Close();
    const std::string stored = MStandardCode::GetDataStringFromConnectionsArray(
        ComboConnections.Text(), ConnectionList::kConnectionStringColumn);
    host::Application& app = MGlobals::xlApp();
    std::shared_ptr<host::QueryTable> table = requireObject(requireObject(app.ActiveSheet()).QueryTables())
                                                  .Add(QueryConnectionArgument(stored), app.ActiveCell());
    host::QueryTable& embedded = requireObject(table);
    embedded.CommandType(host::XlCmdType::Sql);
    embedded.CommandText(TextSQL.Text());
    embedded.Name(TextEmbed.Text());
    embedded.FieldNames(CheckBoxImportHeadings.Value() == 1);
    embedded.RowNumbers(false);
    embedded.FillAdjacentFormulas(false);
    embedded.PreserveFormatting(true);
    embedded.RefreshOnFileOpen(false);
    // Later refreshes run in the host's background; the first fill waits.
    embedded.BackgroundQuery(true);
    embedded.RefreshStyle(host::XlCellInsertionMode::InsertDeleteCells);
    embedded.SavePassword(false);
    embedded.SaveData(true);
    embedded.AdjustColumnWidth(true);
    embedded.RefreshPeriod(0);
    embedded.PreserveColumnInfo(true);
    embedded.Refresh(false);
    run.changes = embedded.LastRefreshChanges();

    // The filter's block is taken before the row offset drops to the data:
    // without headings it also covers the empty row below the table.
    std::int32_t lastRowOffset = run.recordCount;
    if (CheckAutofilter.Value() == 1) requireObject(ResultBlock(lastRowOffset, run.fieldCount)).AutoFilter();
    if (CheckBoxImportHeadings.Value() == 0) lastRowOffset = run.recordCount - 1;
    ApplyFormattingScheme(ComboFormats.Text(), lastRowOffset, run.fieldCount);
    Unload();
  });
}

void formSQLNew::TextEmbed_Change() { CommandEmbed.Enabled(!TextEmbed.Text().empty()); }

}  // namespace tavrello
