#include "platform/host/xlsx/package_plan.h"

#include <cctype>
#include <set>

#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/xlsx/package_names.h"
#include "platform/host/xlsx/part_writer.h"

namespace tavrello::host::xlsx {

namespace {

std::string upper(std::string_view text) {
  std::string out;
  for (char c : text) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

void putRelationship(PartWriter& out, std::string_view id, const char* type, std::string_view target) {
  out.put("<Relationship Id=\"");
  out.put(id);
  out.put("\" Type=\"");
  out.put(type);
  out.put("\" Target=\"");
  out.putXml(target, XmlContext::Attribute);
  out.put("\"/>");
}

void putOverride(PartWriter& out, std::string_view part, const char* type) {
  out.put("<Override PartName=\"");
  out.putXml(part, XmlContext::Attribute);
  out.put("\" ContentType=\"");
  out.put(type);
  out.put("\"/>");
}

void putDefinedName(PartWriter& out, std::string_view name, std::size_t sheetIndex, bool hidden,
                    const std::string& sheetName, const CellRect& rect) {
  out.put("<definedName name=\"");
  out.putXml(name, XmlContext::Attribute);
  out.put("\" localSheetId=\"");
  out.putUnsigned(sheetIndex);
  out.put(hidden ? "\" hidden=\"1\">" : "\">");
  out.putXml(sheetReference(sheetName, rect));
  out.put("</definedName>");
}

}  // namespace

PackagePlan planPackage(const Book& book) {
  PackagePlan plan;
  std::set<std::string> connectionNames;
  auto active = book.activeSheet();
  for (const auto& sheet : book.sheets()) {
    if (sheet == active) plan.activeSheet = plan.sheets.size();
    PackagePlan::SheetEntry entry{sheet, {}};
    for (const auto& table : sheet->queryTables()) {
      // Connection names are unique through the workbook (letter case
      // ignored); tables of the same name on two sheets get a number.
      std::string name = table->Name();
      for (int n = 2; connectionNames.count(upper(name)); ++n) name = table->Name() + " (" + std::to_string(n) + ")";
      connectionNames.insert(upper(name));
      auto id = static_cast<std::uint32_t>(plan.queryTables.size() + 1);
      entry.queryTables.push_back(plan.queryTables.size());
      plan.queryTables.push_back({table.get(), id, name});
    }
    plan.sheets.push_back(std::move(entry));
  }
  return plan;
}

void writeContentTypes(PartWriter& out, const PackagePlan& plan) {
  out.put(kXmlDeclaration);
  out.put("<Types xmlns=\"");
  out.put(ns::kContentTypes);
  out.put("\"><Default Extension=\"rels\" ContentType=\"");
  out.put(content_type::kRelationships);
  out.put("\"/><Default Extension=\"xml\" ContentType=\"");
  out.put(content_type::kXml);
  out.put("\"/>");
  putOverride(out, "/xl/workbook.xml", content_type::kWorkbook);
  for (std::size_t i = 0; i < plan.sheets.size(); ++i)
    putOverride(out, "/xl/worksheets/sheet" + std::to_string(i + 1) + ".xml", content_type::kWorksheet);
  putOverride(out, "/xl/styles.xml", content_type::kStyles);
  putOverride(out, "/xl/sharedStrings.xml", content_type::kSharedStrings);
  if (!plan.queryTables.empty()) {
    putOverride(out, "/xl/connections.xml", content_type::kConnections);
    for (const auto& table : plan.queryTables)
      putOverride(out, "/xl/queryTables/queryTable" + std::to_string(table.id) + ".xml", content_type::kQueryTable);
  }
  out.put("</Types>");
}

void writeRootRelationships(PartWriter& out) {
  out.put(kXmlDeclaration);
  out.put("<Relationships xmlns=\"");
  out.put(ns::kPackageRelationships);
  out.put("\">");
  putRelationship(out, "rId1", relationship::kOfficeDocument, "xl/workbook.xml");
  out.put("</Relationships>");
}

void writeWorkbook(PartWriter& out, const PackagePlan& plan) {
  out.put(kXmlDeclaration);
  out.put("<workbook xmlns=\"");
  out.put(ns::kMain);
  out.put("\" xmlns:r=\"");
  out.put(ns::kRelationships);
  out.put("\"><bookViews><workbookView");
  if (plan.activeSheet != 0) {
    out.put(" activeTab=\"");
    out.putUnsigned(plan.activeSheet);
    out.put('"');
  }
  out.put("/></bookViews><sheets>");
  for (std::size_t i = 0; i < plan.sheets.size(); ++i) {
    out.put("<sheet name=\"");
    out.putXml(plan.sheets[i].sheet->name(), XmlContext::Attribute);
    out.put("\" sheetId=\"");
    out.putUnsigned(i + 1);
    out.put("\" r:id=\"rId");
    out.putUnsigned(i + 1);
    out.put("\"/>");
  }
  out.put("</sheets>");
  bool anyName = false;
  for (const auto& entry : plan.sheets) anyName = anyName || entry.sheet->autoFilter() || !entry.sheet->definedNames().empty();
  if (anyName) {
    out.put("<definedNames>");
    for (std::size_t i = 0; i < plan.sheets.size(); ++i) {
      const Sheet& sheet = *plan.sheets[i].sheet;
      // Spreadsheet programs find a sheet's auto filter through this name.
      if (const auto& filter = sheet.autoFilter())
        putDefinedName(out, "_xlnm._FilterDatabase", i, true, sheet.name(), *filter);
      for (const DefinedName& name : sheet.definedNames())
        putDefinedName(out, name.name, i, name.hidden, sheet.name(), name.rect);
    }
    out.put("</definedNames>");
  }
  out.put("</workbook>");
}

void writeWorkbookRelationships(PartWriter& out, const PackagePlan& plan) {
  out.put(kXmlDeclaration);
  out.put("<Relationships xmlns=\"");
  out.put(ns::kPackageRelationships);
  out.put("\">");
  const std::size_t sheets = plan.sheets.size();
  for (std::size_t i = 0; i < sheets; ++i)
    putRelationship(out, "rId" + std::to_string(i + 1), relationship::kWorksheet,
                    "worksheets/sheet" + std::to_string(i + 1) + ".xml");
  putRelationship(out, "rId" + std::to_string(sheets + 1), relationship::kStyles, "styles.xml");
  putRelationship(out, "rId" + std::to_string(sheets + 2), relationship::kSharedStrings, "sharedStrings.xml");
  if (!plan.queryTables.empty())
    putRelationship(out, "rId" + std::to_string(sheets + 3), relationship::kConnections, "connections.xml");
  out.put("</Relationships>");
}

void writeSheetRelationships(PartWriter& out, const PackagePlan& plan, std::size_t sheet) {
  out.put(kXmlDeclaration);
  out.put("<Relationships xmlns=\"");
  out.put(ns::kPackageRelationships);
  out.put("\">");
  std::size_t n = 0;
  for (std::size_t index : plan.sheets[sheet].queryTables) {
    putRelationship(out, "rId" + std::to_string(++n), relationship::kQueryTable,
                    "../queryTables/queryTable" + std::to_string(plan.queryTables[index].id) + ".xml");
  }
  out.put("</Relationships>");
}

}  // namespace tavrello::host::xlsx
