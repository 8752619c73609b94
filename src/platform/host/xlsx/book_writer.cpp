#include "platform/host/xlsx/book_writer.h"

#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/sheet_query_table.h"
#include "platform/host/xlsx/atomic_save.h"
#include "platform/host/xlsx/package_plan.h"
#include "platform/host/xlsx/part_writer.h"
#include "platform/host/xlsx/query_table_writer.h"
#include "platform/host/xlsx/shared_strings_writer.h"
#include "platform/host/xlsx/sheet_writer.h"
#include "platform/host/xlsx/styles_writer.h"
#include "platform/host/xlsx/zip_writer.h"

namespace tavrello::host::xlsx {

namespace {

template <class Write>
void writePart(ZipWriter& zip, std::string_view name, Write&& write, bool large = false) {
  PartWriter out(zip, name, large);
  write(out);
  out.finish();
}

std::vector<CellRect> omittedBlocks(const Sheet& sheet) {
  std::vector<CellRect> blocks;
  for (const auto& table : sheet.queryTables()) {
    if (!table->SaveData() && table->result()) blocks.push_back(*table->result());
  }
  return blocks;
}

}  // namespace

SaveReport writeBook(const Book& book, OutputDevice& device) {
  SaveReport report;
  if (!book.unkeptParts().empty()) {
    std::string text = "This host does not keep these parts of the file the workbook was opened from, and they are "
                       "not in the saved file: ";
    for (std::size_t i = 0; i < book.unkeptParts().size(); ++i) text += (i ? "; " : "") + book.unkeptParts()[i];
    report.warnings.push_back(text + ".");
  }
  PackagePlan plan = planPackage(book);
  ZipWriter zip(device);
  writePart(zip, "[Content_Types].xml", [&](PartWriter& out) { writeContentTypes(out, plan); });
  writePart(zip, "_rels/.rels", [&](PartWriter& out) { writeRootRelationships(out); });
  writePart(zip, "xl/workbook.xml", [&](PartWriter& out) { writeWorkbook(out, plan); });
  writePart(zip, "xl/_rels/workbook.xml.rels", [&](PartWriter& out) { writeWorkbookRelationships(out, plan); });
  writePart(zip, "xl/styles.xml", [&](PartWriter& out) { writeStyles(out, book.styles()); });

  SharedStringsWriter strings(book.strings());
  for (std::size_t i = 0; i < plan.sheets.size(); ++i) {
    const Sheet& sheet = *plan.sheets[i].sheet;
    const std::string part = "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml";
    SheetWriteOptions options{i == plan.activeSheet, omittedBlocks(sheet)};
    writePart(zip, part, [&](PartWriter& out) { writeSheet(out, sheet, strings, options); }, mayBeLarge(sheet));
    if (!plan.sheets[i].queryTables.empty()) {
      writePart(zip, "xl/worksheets/_rels/sheet" + std::to_string(i + 1) + ".xml.rels",
                [&](PartWriter& out) { writeSheetRelationships(out, plan, i); });
    }
  }
  std::size_t cut = 0;
  writePart(zip, "xl/sharedStrings.xml", [&](PartWriter& out) { cut = strings.write(out); });
  if (cut > 0) {
    report.warnings.push_back(std::to_string(cut) + (cut == 1 ? " text was" : " texts were") +
                              " longer than the 32,767 characters a cell holds and " + (cut == 1 ? "was" : "were") +
                              " cut to that length in the file.");
  }

  if (!plan.queryTables.empty()) {
    writePart(zip, "xl/connections.xml", [&](PartWriter& out) { writeConnections(out, plan.queryTables); });
    for (const StoredQueryTable& stored : plan.queryTables) {
      writePart(zip, "xl/queryTables/queryTable" + std::to_string(stored.id) + ".xml",
                [&](PartWriter& out) { writeQueryTable(out, stored); });
    }
  }
  zip.close();
  return report;
}

SaveReport saveBook(const Book& book, const std::filesystem::path& path) {
  SaveReport report;
  saveAtomically(path, [&](OutputDevice& device) { report = writeBook(book, device); });
  return report;
}

}  // namespace tavrello::host::xlsx
