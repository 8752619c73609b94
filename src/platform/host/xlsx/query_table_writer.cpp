#include "platform/host/xlsx/query_table_writer.h"

#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/xlsx/auto_format_ids.h"
#include "platform/host/xlsx/connection_secrets.h"
#include "platform/host/xlsx/package_names.h"
#include "platform/host/xlsx/part_writer.h"

namespace tavrello::host::xlsx {

namespace {

// The file's connection types (not the object model's XlConnectionType).
constexpr int kOdbcType = 1;
constexpr int kOleDbType = 5;

void putText(PartWriter& out, const char* name, std::string_view value) {
  out.put(' ');
  out.put(name);
  out.put("=\"");
  out.putXml(value, XmlContext::Attribute);
  out.put('"');
}

void putNumber(PartWriter& out, const char* name, std::uint64_t value) {
  out.put(' ');
  out.put(name);
  out.put("=\"");
  out.putUnsigned(value);
  out.put('"');
}

void putBool(PartWriter& out, const char* name, bool value) {
  out.put(' ');
  out.put(name);
  out.put(value ? "=\"1\"" : "=\"0\"");
}

// A boolean attribute, written only when it differs from the schema's default.
void putFlag(PartWriter& out, const char* name, bool value, bool schemaDefault) {
  if (value != schemaDefault) putBool(out, name, value);
}

const char* growShrinkType(int refreshStyle) {
  switch (refreshStyle) {
    case XlCellInsertionMode::OverwriteCells: return "overwriteClear";
    case XlCellInsertionMode::InsertEntireRows: return "insertClear";
    default: return nullptr;  // insertDelete, the default
  }
}

// The names of the table's fields: its heading row when it has one, else
// the column numbers.
std::vector<std::string> fieldNames(const SheetQueryTable& table) {
  std::vector<std::string> names;
  const auto& result = table.result();
  if (!result) return names;
  auto sheet = table.sheet();
  for (std::int32_t column = result->left; column <= result->right; ++column) {
    std::string name;
    if (table.FieldNames()) {
      CellValue value = sheet->value(result->top, column);
      if (const auto* text = std::get_if<std::string>(&value)) name = *text;
    }
    if (name.empty()) name = "Column" + std::to_string(column - result->left + 1);
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

void writeConnections(PartWriter& out, const std::vector<StoredQueryTable>& tables) {
  out.put(kXmlDeclaration);
  out.put("<connections xmlns=\"");
  out.put(ns::kMain);
  out.put("\">");
  for (const StoredQueryTable& stored : tables) {
    const SheetQueryTable& table = *stored.table;
    QuerySource source = parseQuerySource(joinConnection(table.Connection()));
    std::string connection =
        table.SavePassword() ? source.connectionString : withoutPasswords(source.connectionString);
    out.put("<connection");
    putNumber(out, "id", stored.id);
    putText(out, "name", stored.connectionName);
    putNumber(out, "type", source.kind == QuerySource::Kind::Odbc ? kOdbcType : kOleDbType);
    // 3 is the version a host of version 12 writes.
    out.put(" refreshedVersion=\"3\"");
    putFlag(out, "background", table.BackgroundQuery(), false);
    putFlag(out, "saveData", table.SaveData(), false);
    putFlag(out, "savePassword", table.SavePassword(), false);
    putFlag(out, "refreshOnLoad", table.RefreshOnFileOpen(), false);
    if (table.RefreshPeriod() > 0) putNumber(out, "interval", static_cast<std::uint64_t>(table.RefreshPeriod()));
    out.put("><dbPr");
    putText(out, "connection", connection);
    putText(out, "command", table.CommandText());
    if (table.CommandType() != XlCmdType::Sql) putNumber(out, "commandType", static_cast<std::uint64_t>(table.CommandType()));
    out.put("/></connection>");
  }
  out.put("</connections>");
}

void writeQueryTable(PartWriter& out, const StoredQueryTable& stored) {
  const SheetQueryTable& table = *stored.table;
  out.put(kXmlDeclaration);
  out.put("<queryTable xmlns=\"");
  out.put(ns::kMain);
  out.put('"');
  putText(out, "name", table.Name());
  putNumber(out, "connectionId", stored.id);
  putFlag(out, "headers", table.FieldNames(), true);
  putFlag(out, "rowNumbers", table.RowNumbers(), false);
  putFlag(out, "backgroundRefresh", table.BackgroundQuery(), true);
  putFlag(out, "refreshOnLoad", table.RefreshOnFileOpen(), false);
  if (const char* grow = growShrinkType(table.RefreshStyle())) {
    out.put(" growShrinkType=\"");
    out.put(grow);
    out.put('"');
  }
  putFlag(out, "fillFormulas", table.FillAdjacentFormulas(), false);
  putFlag(out, "removeDataOnSave", !table.SaveData(), false);
  putFlag(out, "preserveFormatting", table.PreserveFormatting(), true);
  putFlag(out, "adjustColumnWidth", table.AdjustColumnWidth(), true);
  // The design applied over the table, or None with nothing applied.
  const auto& design = table.autoFormat();
  std::optional<int> id = design ? fileAutoFormatId(design->Format) : std::nullopt;
  const AutoFormatOptions none{0, false, false, false, false, false, false};
  const AutoFormatOptions& parts = id ? *design : none;
  putNumber(out, "autoFormatId", static_cast<std::uint64_t>(id.value_or(kAutoFormatNone)));
  // The apply flags have no default: all six are written.
  putBool(out, "applyNumberFormats", parts.Number);
  putBool(out, "applyBorderFormats", parts.Border);
  putBool(out, "applyFontFormats", parts.Font);
  putBool(out, "applyPatternFormats", parts.Pattern);
  putBool(out, "applyAlignmentFormats", parts.Alignment);
  putBool(out, "applyWidthHeightFormats", parts.Width);
  if (table.PreserveColumnInfo()) {
    out.put("/>");
    return;
  }
  // Only a table that does not keep its column layout needs the refresh
  // record, whose default keeps it.
  std::vector<std::string> names = fieldNames(table);
  out.put("><queryTableRefresh");
  putNumber(out, "nextId", names.size() + 1);
  out.put(" preserveSortFilterLayout=\"0\"");
  putFlag(out, "headersInLastRefresh", table.FieldNames(), true);
  out.put("><queryTableFields");
  putNumber(out, "count", names.size());
  out.put('>');
  for (std::size_t i = 0; i < names.size(); ++i) {
    out.put("<queryTableField");
    putNumber(out, "id", i + 1);
    putText(out, "name", names[i]);
    out.put("/>");
  }
  out.put("</queryTableFields></queryTableRefresh></queryTable>");
}

}  // namespace tavrello::host::xlsx
