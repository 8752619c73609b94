#include "platform/host/xlsx/book_reader.h"

#include <map>
#include <optional>

#include "platform/host/workbook/a1_address.h"
#include "platform/host/workbook/ascii.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/sheet.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/host/xlsx/color_reader.h"
#include "platform/host/xlsx/package_relationships.h"
#include "platform/host/xlsx/query_table_reader.h"
#include "platform/host/xlsx/shared_strings_reader.h"
#include "platform/host/xlsx/sheet_reader.h"
#include "platform/host/xlsx/styles_reader.h"
#include "platform/host/xlsx/unkept_parts.h"
#include "platform/host/xlsx/xml_text.h"
#include "platform/host/xlsx/xml_tree.h"
#include "platform/host/xlsx/zip_reader.h"
#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

namespace {

struct SheetEntry {
  std::string name;
  std::string part;
  std::shared_ptr<Sheet> sheet;  // null for sheets the host does not keep (chart sheets)
};

class BookReader {
 public:
  BookReader(WorkbookApplication& app, const std::filesystem::path& file, const ReadLimits& limits)
      : file_(file), limits_(limits), zip_(file, limits), book_(std::make_shared<Book>(app.weak_from_this(), file.filename().string(), app.grid())) {}

  std::shared_ptr<Book> run() {
    const std::vector<Relationship> packageRels = readRelationships(zip_, "");
    const Relationship* office = findByType(packageRels, "officeDocument");
    if (!office) fail("it has no workbook part (is it a word-processing or presentation file?)");
    workbookPart_ = office->target;
    pugi::xml_document workbook = loadTree(zip_, workbookPart_);
    pugi::xml_node root = workbook.document_element();
    if (!isNamed(root, "workbook")) fail("its main part is not a spreadsheet workbook");
    workbookRels_ = readRelationships(zip_, workbookPart_);

    readStylesAndStrings();
    readSheets(root);
    if (sheets_.empty() || !anyWorksheet()) fail("it holds no worksheet");
    readDefinedNames(root);
    readQueryTables();
    activate(root);

    std::vector<std::string> unkept = unkeptParts(zip_);
    unkept.insert(unkept.end(), notes_.begin(), notes_.end());
    book_->setFile(file_, std::move(unkept));
    return book_;
  }

 private:
  [[noreturn]] void fail(const std::string& why) const {
    throw Failure::host("The workbook '" + file_.string() + "' cannot be read: " + why + ".");
  }

  bool anyWorksheet() const {
    for (const auto& entry : sheets_) {
      if (entry.sheet) return true;
    }
    return false;
  }

  void readStylesAndStrings() {
    ColorReader colors;
    if (const Relationship* theme = findByType(workbookRels_, "theme"); theme && zip_.has(theme->target)) {
      pugi::xml_document document = loadTree(zip_, theme->target);
      colors.readTheme(document.document_element());
    }
    if (const Relationship* styles = findByType(workbookRels_, "styles"); styles && zip_.has(styles->target)) {
      pugi::xml_document document = loadTree(zip_, styles->target);
      styles_ = readStyles(document.document_element(), colors, book_->styles());
    }
    if (const Relationship* strings = findByType(workbookRels_, "sharedStrings"); strings && zip_.has(strings->target))
      sharedStrings_ = readSharedStrings(zip_, strings->target, limits_, book_->strings());
  }

  void readSheets(const pugi::xml_node& root) {
    std::size_t hidden = 0;
    for (pugi::xml_node node : child(root, "sheets").children()) {
      if (!isNamed(node, "sheet")) continue;
      SheetEntry entry;
      entry.name = decodeEscapes(attribute(node, "name").value());
      const Relationship* rel = findById(workbookRels_, attribute(node, "id").value());
      if (!rel || rel->external || !zip_.has(rel->target)) fail("the sheet '" + entry.name + "' has no part");
      entry.part = rel->target;
      if (rel->type != "worksheet") {
        notes_.push_back("the " + std::string(rel->type == "chartsheet" ? "chart sheet" : "sheet of another kind") +
                         " '" + entry.name + "'");
        sheets_.push_back(std::move(entry));
        continue;
      }
      std::string_view state = attribute(node, "state").value();
      if (state == "hidden" || state == "veryHidden") ++hidden;
      auto sheet = book_->addSheet();
      try {
        sheet->Name(entry.name);
      } catch (const Failure& failure) {
        fail("the sheet name '" + entry.name + "' cannot be used: " + failure.description());
      }
      SheetFindings findings = readSheet(zip_, entry.part, SheetContext{sharedStrings_, styles_, limits_}, *sheet);
      note(findings, entry.name);
      entry.sheet = sheet;
      sheets_.push_back(std::move(entry));
    }
    if (hidden > 0)
      notes_.push_back(std::to_string(hidden) + (hidden == 1 ? " hidden sheet (shown" : " hidden sheets (shown") +
                       " by this host)");
  }

  void note(const SheetFindings& f, const std::string& sheet) {
    std::vector<std::string> features;
    if (f.formulas) features.push_back(std::to_string(f.formulas) + (f.formulas == 1 ? " formula" : " formulas") +
                                       " (their last results are kept as values)");
    if (f.mergedCells) features.push_back("merged cells");
    if (f.hyperlinks) features.push_back("hyperlinks");
    if (f.conditionalFormats) features.push_back("conditional formats");
    if (f.dataValidations) features.push_back("data validation");
    if (f.filterCriteria) features.push_back("the auto filter's criteria");
    if (features.empty()) return;
    std::string text = "on sheet '" + sheet + "': ";
    for (std::size_t i = 0; i < features.size(); ++i) text += (i ? ", " : "") + features[i];
    notes_.push_back(text);
  }

  Sheet* sheetAt(long long index) {
    if (index < 0 || static_cast<std::size_t>(index) >= sheets_.size()) return nullptr;
    return sheets_[static_cast<std::size_t>(index)].sheet.get();
  }

  // Sheet names keep a sheet's plain ranges; other names are not kept.
  void readDefinedNames(const pugi::xml_node& root) {
    std::size_t dropped = 0;
    for (pugi::xml_node node : child(root, "definedNames").children()) {
      if (!isNamed(node, "definedName")) continue;
      std::string name = decodeEscapes(attribute(node, "name").value());
      if (name == "_xlnm._FilterDatabase") continue;  // the sheet's autoFilter says the same
      std::optional<ParsedAddress> parsed;
      try {
        parsed = parseAddress(node.text().get(), book_->grid());
      } catch (const Failure&) {
      }
      Sheet* scope = attribute(node, "localSheetId") ? sheetAt(numberAttribute(node, "localSheetId", -1)) : nullptr;
      Sheet* target = nullptr;
      if (parsed && parsed->sheet) {
        auto named = book_->findSheet(*parsed->sheet);
        target = named.get();
      } else if (parsed) {
        target = scope;
      }
      // A name of the whole workbook for one sheet's range moves into that
      // sheet's scope, the only scope this host has.
      if (!target || (scope && scope != target) || name.rfind("_xlnm.", 0) == 0 || name.empty() ||
          (!scope && target->findName(name))) {
        ++dropped;
        continue;
      }
      target->setName(name, parsed->rect, boolAttribute(node, "hidden", false));
    }
    if (dropped > 0)
      notes_.push_back(std::to_string(dropped) + (dropped == 1 ? " defined name" : " defined names") +
                       " holding formulas, constants or print settings");
  }

  void readQueryTables() {
    std::map<long long, StoredConnection> connections;
    if (const Relationship* rel = findByType(workbookRels_, "connections"); rel && zip_.has(rel->target)) {
      pugi::xml_document document = loadTree(zip_, rel->target);
      connections = readConnections(document.document_element());
    }
    for (const auto& entry : sheets_) {
      if (!entry.sheet) continue;
      for (const Relationship& rel : readRelationships(zip_, entry.part)) {
        if (rel.external || !zip_.has(rel.target)) continue;
        if (rel.type == "queryTable") {
          addTable(rel.target, connections, *entry.sheet, std::nullopt);
        } else if (rel.type == "table") {
          // A query table attached to a list object: the list's range is
          // its block.
          pugi::xml_document table = loadTree(zip_, rel.target);
          std::optional<CellRect> range;
          try {
            range = parseAddress(attribute(table.document_element(), "ref").value(), book_->grid()).rect;
          } catch (const Failure&) {
          }
          for (const Relationship& inner : readRelationships(zip_, rel.target)) {
            if (inner.type == "queryTable" && !inner.external && zip_.has(inner.target))
              addTable(inner.target, connections, *entry.sheet, range);
          }
        }
      }
    }
  }

  void addTable(const std::string& part, const std::map<long long, StoredConnection>& connections, Sheet& sheet,
                const std::optional<CellRect>& range) {
    pugi::xml_document document = loadTree(zip_, part);
    if (auto why = addQueryTable(document.document_element(), connections, sheet, range)) notes_.push_back(*why);
  }

  void activate(const pugi::xml_node& root) {
    long long tab = numberAttribute(child(child(root, "bookViews"), "workbookView"), "activeTab", 0);
    Sheet* active = sheetAt(tab);
    if (!active) active = book_->sheets().front().get();
    book_->activateSheet(*active);
  }

  std::filesystem::path file_;
  ReadLimits limits_;
  ZipReader zip_;
  std::shared_ptr<Book> book_;
  std::string workbookPart_;
  std::vector<Relationship> workbookRels_;
  std::vector<std::uint32_t> styles_;
  std::vector<std::uint32_t> sharedStrings_;
  std::vector<SheetEntry> sheets_;
  std::vector<std::string> notes_;
};

}  // namespace

std::shared_ptr<Book> readBook(WorkbookApplication& app, const std::filesystem::path& file, const ReadLimits& limits) {
  return BookReader(app, file, limits).run();
}

}  // namespace tavrello::host::xlsx
