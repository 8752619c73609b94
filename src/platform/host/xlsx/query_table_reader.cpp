#include "platform/host/xlsx/query_table_reader.h"

#include <algorithm>

#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/query_connection.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/xlsx/auto_format_ids.h"
#include "platform/host/xlsx/xml_text.h"
#include "platform/host/xlsx/xml_tree.h"
#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

namespace {

std::string kindOf(long long type) {
  switch (type) {
    case 2: return "a DAO source";
    case 3: return "a file database";
    case 4: return "a web page";
    case 6: return "a text file";
    case 7: return "an ADO record set";
    default: return "a source of type " + std::to_string(type);
  }
}

// The sheet's name that marks the block: the table's name with blanks as
// underscores as the spreadsheet program writes it, or as this host makes
// block names.
const DefinedName* blockName(const Sheet& sheet, const std::string& tableName) {
  std::string underscored = tableName;
  std::replace(underscored.begin(), underscored.end(), ' ', '_');
  if (const DefinedName* name = sheet.findName(underscored)) return name;
  return sheet.findName(blockNameFor(tableName));
}

int refreshStyle(std::string_view growShrinkType) {
  if (growShrinkType == "overwriteClear") return XlCellInsertionMode::OverwriteCells;
  if (growShrinkType == "insertClear") return XlCellInsertionMode::InsertEntireRows;
  return XlCellInsertionMode::InsertDeleteCells;
}

}  // namespace

std::map<long long, StoredConnection> readConnections(const pugi::xml_node& root) {
  std::map<long long, StoredConnection> connections;
  for (pugi::xml_node node : root.children()) {
    if (!isNamed(node, "connection")) continue;
    StoredConnection c;
    c.name = decodeEscapes(attribute(node, "name").value());
    c.type = numberAttribute(node, "type", 0);
    c.deleted = boolAttribute(node, "deleted", false);
    c.background = boolAttribute(node, "background", false);
    c.saveData = boolAttribute(node, "saveData", false);
    c.savePassword = boolAttribute(node, "savePassword", false);
    c.refreshOnLoad = boolAttribute(node, "refreshOnLoad", false);
    c.interval = numberAttribute(node, "interval", 0);
    if (pugi::xml_node db = child(node, "dbPr")) {
      c.hasDatabase = true;
      c.connection = decodeEscapes(attribute(db, "connection").value());
      c.command = decodeEscapes(attribute(db, "command").value());
      c.commandType = numberAttribute(db, "commandType", 2);
    }
    connections.emplace(numberAttribute(node, "id", -1), std::move(c));
  }
  return connections;
}

std::optional<std::string> addQueryTable(const pugi::xml_node& part,
                                         const std::map<long long, StoredConnection>& connections, Sheet& sheet,
                                         const std::optional<CellRect>& tableRange) {
  std::string name = decodeEscapes(attribute(part, "name").value());
  const std::string shown = "the query table '" + name + "' on sheet '" + sheet.name() + "'";
  auto found = connections.find(numberAttribute(part, "connectionId", -1));
  if (found == connections.end()) return shown + " names a connection the file does not have";
  const StoredConnection& c = found->second;
  if (c.deleted) return shown + " has no connection left (it was deleted in the file)";
  if (c.type != 1 && c.type != 5) return shown + " reads " + kindOf(c.type) + ", which this host does not refresh";
  if (!c.hasDatabase || c.connection.find_first_not_of(" ;") == std::string::npos)
    return shown + " has an empty connection";

  std::optional<CellRect> block;
  if (const DefinedName* defined = blockName(sheet, name)) block = defined->rect;
  else block = tableRange;
  if (!block) return shown + " has no name that marks its cells";

  // Names are unique on a sheet; a file may still repeat one.
  if (name.empty() || name.size() > 255) name = sheet.nextQueryTableName();
  std::string unique = name;
  for (int n = 2;; ++n) {
    bool taken = false;
    for (const auto& table : sheet.queryTables()) taken = taken || sameName(table->Name(), unique);
    if (!taken) break;
    unique = name + "_" + std::to_string(n);
  }

  std::string connection = (c.type == 1 ? "ODBC;" : "OLEDB;") + c.connection;
  try {
    parseQuerySource(connection);
    auto table = std::make_shared<SheetQueryTable>(sheet.weak_from_this(), connection, block->top, block->left, unique);
    table->CommandType(static_cast<int>(std::clamp<long long>(c.commandType, XlCmdType::Cube, XlCmdType::List)));
    table->CommandText(c.command);
    table->FieldNames(boolAttribute(part, "headers", true));
    table->RowNumbers(boolAttribute(part, "rowNumbers", false));
    table->FillAdjacentFormulas(boolAttribute(part, "fillFormulas", false));
    table->PreserveFormatting(boolAttribute(part, "preserveFormatting", true));
    table->RefreshOnFileOpen(boolAttribute(part, "refreshOnLoad", false) || c.refreshOnLoad);
    table->BackgroundQuery(boolAttribute(part, "backgroundRefresh", true));
    table->RefreshStyle(refreshStyle(attribute(part, "growShrinkType").value()));
    table->SavePassword(c.savePassword);
    table->SaveData(!boolAttribute(part, "removeDataOnSave", false));
    table->AdjustColumnWidth(boolAttribute(part, "adjustColumnWidth", true));
    table->RefreshPeriod(static_cast<std::int32_t>(std::clamp<long long>(c.interval, 0, 32767)));
    table->PreserveColumnInfo(boolAttribute(child(part, "queryTableRefresh"), "preserveSortFilterLayout", true));
    if (auto format = rangeAutoFormatOf(static_cast<int>(numberAttribute(part, "autoFormatId", kAutoFormatNone)))) {
      table->autoFormat(AutoFormatOptions{*format, boolAttribute(part, "applyNumberFormats", false),
                                          boolAttribute(part, "applyFontFormats", false),
                                          boolAttribute(part, "applyAlignmentFormats", false),
                                          boolAttribute(part, "applyBorderFormats", false),
                                          boolAttribute(part, "applyPatternFormats", false),
                                          boolAttribute(part, "applyWidthHeightFormats", false)});
    }
    sheet.addQueryTable(table);
    table->setResult(*block);
  } catch (const Failure& failure) {
    return shown + " cannot be kept: " + failure.description();
  }
  return std::nullopt;
}

}  // namespace tavrello::host::xlsx
