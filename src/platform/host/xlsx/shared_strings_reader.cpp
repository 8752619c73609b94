#include "platform/host/xlsx/shared_strings_reader.h"

#include <string>

#include "platform/host/workbook/string_pool.h"
#include "platform/host/xlsx/xml_stream.h"
#include "platform/host/xlsx/xml_text.h"
#include "platform/host/xlsx/zip_reader.h"

namespace tavrello::host::xlsx {

std::string readStringItem(XmlStream& xml) {
  std::string text;
  const std::size_t depth = xml.depth();
  for (;;) {
    XmlStream::Event event = xml.next();
    if (event == XmlStream::Event::Finished) xml.fail("a string is not closed");
    if (event == XmlStream::Event::End && xml.depth() < depth) break;
    if (event != XmlStream::Event::Start) continue;
    if (xml.name() == "t") text += xml.elementText();
    else if (xml.name() == "rPh") xml.skipElement();
  }
  return decodeEscapes(text);
}

std::vector<std::uint32_t> readSharedStrings(ZipReader& zip, const std::string& part, const ReadLimits& limits,
                                             StringPool& pool) {
  std::vector<std::uint32_t> indexes;
  XmlStream xml(zip.open(part), part, limits.maxTokenBytes);
  for (XmlStream::Event event = xml.next(); event != XmlStream::Event::Finished; event = xml.next()) {
    if (event == XmlStream::Event::Start && xml.depth() == 2 && xml.name() == "si") indexes.push_back(pool.intern(readStringItem(xml)));
  }
  return indexes;
}

}  // namespace tavrello::host::xlsx
