#pragma once

namespace tavrello::host {

class SheetQueryTable;

// QueryTable.Refresh: opens the table's connection through the database
// layer, runs its command and writes the result at its destination, making
// room as its RefreshStyle says, with a heading row when FieldNames is true
// and a row-number column when RowNumbers is true; keeps the cells' formats
// when PreserveFormatting is true (rows added below take the format of the
// last data row); fits the column widths when AdjustColumnWidth is true; and
// names the block on the sheet; the table keeps what had to change in the
// values (SheetQueryTable::setLastChanges). Everything that can fail in the
// database fails before the sheet is touched.
void refreshQueryTable(SheetQueryTable& table);

}  // namespace tavrello::host
