#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/xlsx/read_limits.h"

namespace tavrello::host {
class StringPool;
}

namespace tavrello::host::xlsx {

class XmlStream;
class ZipReader;

// Streams a shared-strings part into the workbook's string pool and returns
// the pool index of each of the part's strings, in order. Rich text reads as
// its plain text; phonetic guides are left out; _xhhhh_ escapes are decoded.
std::vector<std::uint32_t> readSharedStrings(ZipReader& zip, const std::string& part, const ReadLimits& limits,
                                             StringPool& pool);

// The text of a string item whose Start (<si>, or a cell's <is>) was just
// read, up to its End: the <t> elements' text, directly or in rich-text
// runs, without phonetic runs (<rPh>), _xhhhh_ escapes decoded.
std::string readStringItem(XmlStream& xml);

}  // namespace tavrello::host::xlsx
