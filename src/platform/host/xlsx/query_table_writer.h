#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrello::host {
class SheetQueryTable;
}

namespace tavrello::host::xlsx {

class PartWriter;

// One query table as a save stores it: its connection in
// xl/connections.xml under `id`, and its own part
// xl/queryTables/queryTable<id>.xml.
struct StoredQueryTable {
  const SheetQueryTable* table = nullptr;
  std::uint32_t id = 0;
  std::string connectionName;  // unique in the workbook
};

// xl/connections.xml: one connection per query table, ODBC as type 1 and
// OLE DB as type 5, the "ODBC;"/"OLEDB;" prefix not stored, the password
// removed unless the table's SavePassword is true, and background, saveData,
// savePassword, refreshOnLoad and interval as the table's properties say.
void writeConnections(PartWriter& out, const std::vector<StoredQueryTable>& tables);

// xl/queryTables/queryTable<id>.xml with the attributes that differ from the
// schema's defaults, and the table design (autoFormatId, apply…).
void writeQueryTable(PartWriter& out, const StoredQueryTable& stored);

}  // namespace tavrello::host::xlsx
