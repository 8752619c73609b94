#include "platform/host/xlsx/shared_strings_writer.h"

#include "platform/host/workbook/string_pool.h"
#include "platform/host/xlsx/package_names.h"
#include "platform/host/xlsx/part_writer.h"

namespace tavrello::host::xlsx {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

SharedStringsWriter::SharedStringsWriter(const StringPool& pool) : pool_(pool), index_(pool.size(), kNone) {}

std::size_t SharedStringsWriter::write(PartWriter& out) const {
  out.put(kXmlDeclaration);
  out.put("<sst xmlns=\"");
  out.put(ns::kMain);
  out.put("\" count=\"");
  out.putUnsigned(references_);
  out.put("\" uniqueCount=\"");
  out.putUnsigned(order_.size());
  out.put("\">");
  std::size_t cut = 0;
  for (std::uint32_t poolIndex : order_) {
    bool wasCut = false;
    std::string_view text = cutToCellLimit(pool_.text(poolIndex), wasCut);
    cut += wasCut ? 1 : 0;
    // Blanks at either end survive only with xml:space="preserve".
    if (!text.empty() && (isBlank(text.front()) || isBlank(text.back()))) out.put("<si><t xml:space=\"preserve\">");
    else out.put("<si><t>");
    out.putXml(text);
    out.put("</t></si>");
  }
  out.put("</sst>");
  return cut;
}

}  // namespace tavrello::host::xlsx
