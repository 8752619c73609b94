#pragma once

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace tavrello::host::xlsx {

class ZipReader;

// A small part of the package (workbook, styles, relationships,
// connections, query tables) read whole into a document tree. A document
// type declaration is refused, so no file can define entities; pugixml
// itself expands only the predefined ones and character references.
// Failures are tavrello::Failure 1004 naming the part.
pugi::xml_document loadTree(ZipReader& zip, std::string_view part);

// Names in these parts may carry any namespace prefix ("x:sheet"); the
// helpers below compare local names.
std::string_view localName(const char* name);
pugi::xml_node child(const pugi::xml_node& node, std::string_view name);
pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view name);
bool isNamed(const pugi::xml_node& node, std::string_view name);

// Attribute values as the schema types read them: xsd:boolean ("1",
// "true", "0", "false") and unsigned numbers; the default when absent or
// unreadable.
bool boolAttribute(const pugi::xml_node& node, std::string_view name, bool fallback);
long long numberAttribute(const pugi::xml_node& node, std::string_view name, long long fallback);

}  // namespace tavrello::host::xlsx
