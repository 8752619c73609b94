#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/xlsx/query_table_writer.h"

namespace tavrello::host {
class Book;
class Sheet;
}  // namespace tavrello::host

namespace tavrello::host::xlsx {

// What one save writes: the sheets in tab order (sheet N is
// xl/worksheets/sheetN.xml) and the query tables of each (numbered through
// the workbook, connection N with xl/queryTables/queryTableN.xml).
struct PackagePlan {
  struct SheetEntry {
    std::shared_ptr<Sheet> sheet;
    std::vector<std::size_t> queryTables;  // indexes into queryTables
  };
  std::vector<SheetEntry> sheets;
  std::vector<StoredQueryTable> queryTables;
  std::size_t activeSheet = 0;  // 0-based
};

PackagePlan planPackage(const Book& book);

class PartWriter;

// [Content_Types].xml: defaults for .rels and .xml, an override per part.
void writeContentTypes(PartWriter& out, const PackagePlan& plan);
// _rels/.rels: the package's one relationship, to the workbook.
void writeRootRelationships(PartWriter& out);
// xl/workbook.xml: the view, the sheets and the defined names (each
// sheet's auto filter as the hidden _xlnm._FilterDatabase, and the sheet's
// own names, the query tables' hidden block names among them).
void writeWorkbook(PartWriter& out, const PackagePlan& plan);
// xl/_rels/workbook.xml.rels: sheets rId1…rIdN, then styles, shared
// strings and, with query tables, connections.
void writeWorkbookRelationships(PartWriter& out, const PackagePlan& plan);
// xl/worksheets/_rels/sheetN.xml.rels: the sheet's query tables.
void writeSheetRelationships(PartWriter& out, const PackagePlan& plan, std::size_t sheet);

}  // namespace tavrello::host::xlsx
