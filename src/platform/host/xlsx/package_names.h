#pragma once

namespace tavrello::host::xlsx {

// Namespaces, content types and relationship types of the parts this host
// writes and reads (docs/xlsx-format.md lists the parts).
namespace ns {
inline constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kPackageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kContentTypes = "http://schemas.openxmlformats.org/package/2006/content-types";
}  // namespace ns

namespace content_type {
inline constexpr const char* kRelationships = "application/vnd.openxmlformats-package.relationships+xml";
inline constexpr const char* kXml = "application/xml";
inline constexpr const char* kWorkbook = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr const char* kWorksheet = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr const char* kStyles = "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr const char* kSharedStrings =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";
inline constexpr const char* kConnections = "application/vnd.openxmlformats-officedocument.spreadsheetml.connections+xml";
inline constexpr const char* kQueryTable = "application/vnd.openxmlformats-officedocument.spreadsheetml.queryTable+xml";
}  // namespace content_type

namespace relationship {
inline constexpr const char* kOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kWorksheet = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char* kStyles = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kSharedStrings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
inline constexpr const char* kConnections =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/connections";
inline constexpr const char* kQueryTable = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/queryTable";
inline constexpr const char* kTable = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/table";
}  // namespace relationship

// The XML declaration every part starts with.
inline constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

}  // namespace tavrello::host::xlsx
