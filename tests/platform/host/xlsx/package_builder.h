#pragma once

// Hand-made packages for the reader's tests: the parts of a minimal
// workbook, any of which a test may replace or add to.

#include <filesystem>
#include <map>
#include <string>

#include "platform/host/xlsx/output_device.h"
#include "platform/host/xlsx/part_writer.h"
#include "platform/host/xlsx/zip_writer.h"
#include "platform/system/file_descriptor.h"

#include <fcntl.h>

namespace tavrello::testing::xlsx {

inline const char* kMainNs = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                             "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

// The parts of a one-sheet workbook whose sheet is `sheetData` (the inside
// of <worksheet>).
inline std::map<std::string, std::string> minimalParts(const std::string& sheetContent = "<sheetData/>") {
  const std::string rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  return {
      {"[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
      {"_rels/.rels", rels + "<Relationship Id=\"rId1\" Type=\"" + type + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml", std::string("<workbook ") + kMainNs +
                              "><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       rels + "<Relationship Id=\"rId1\" Type=\"" + type + "worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", std::string("<worksheet ") + kMainNs + ">" + sheetContent + "</worksheet>"},
  };
}

// Writes the parts as a zip archive with the host's own zip layer.
inline void writePackage(const std::filesystem::path& file, const std::map<std::string, std::string>& parts) {
  sys::FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  host::xlsx::FileDevice device(std::move(fd), file);
  host::xlsx::ZipWriter zip(device);
  for (const auto& [name, content] : parts) {
    host::xlsx::PartWriter part(zip, name, false);
    part.put(content);
    part.finish();
  }
  zip.close();
  device.finish();
}

}  // namespace tavrello::testing::xlsx
