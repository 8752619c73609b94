#include "platform/host/xlsx/xml_tree.h"

#include <charconv>

#include "platform/host/xlsx/zip_reader.h"
#include "platform/system/failure.h"
#include "platform/system/utf8.h"

namespace tavrello::host::xlsx {

pugi::xml_document loadTree(ZipReader& zip, std::string_view part) {
  std::string bytes = zip.readAll(part);
  // A damaged byte reads as the replacement character it will be saved as,
  // so that names that differ, or fit, only by such bytes do not clash, or
  // grow too long, in the saved file.
  if (!sys::isValidUtf8(bytes)) bytes = sys::replaceInvalidUtf8(bytes);
  pugi::xml_document document;
  pugi::xml_parse_result result =
      document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_doctype);
  if (!result) {
    throw Failure::host("The workbook part " + std::string(part) + " cannot be read: " + result.description() +
                        " at byte " + std::to_string(result.offset) + ".");
  }
  for (pugi::xml_node node : document.children()) {
    if (node.type() == pugi::node_doctype)
      throw Failure::host("The workbook part " + std::string(part) +
                          " cannot be read: it holds a document type declaration (<!DOCTYPE ...>), which workbook "
                          "parts never have; this host does not read them, so that a file cannot define entities.");
  }
  if (!document.document_element())
    throw Failure::host("The workbook part " + std::string(part) + " cannot be read: it holds no XML element.");
  return document;
}

std::string_view localName(const char* name) {
  std::string_view text(name);
  auto colon = text.rfind(':');
  return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

bool isNamed(const pugi::xml_node& node, std::string_view name) {
  return node.type() == pugi::node_element && localName(node.name()) == name;
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name) {
  for (pugi::xml_node c : node.children()) {
    if (isNamed(c, name)) return c;
  }
  return {};
}

pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view name) {
  for (pugi::xml_attribute a : node.attributes()) {
    std::string_view full = a.name();
    if (full == "xmlns" || full.substr(0, 6) == "xmlns:") continue;
    if (localName(a.name()) == name) return a;
  }
  return {};
}

bool boolAttribute(const pugi::xml_node& node, std::string_view name, bool fallback) {
  pugi::xml_attribute a = attribute(node, name);
  if (!a) return fallback;
  std::string_view value = a.value();
  if (value == "1" || value == "true") return true;
  if (value == "0" || value == "false") return false;
  return fallback;
}

long long numberAttribute(const pugi::xml_node& node, std::string_view name, long long fallback) {
  pugi::xml_attribute a = attribute(node, name);
  if (!a) return fallback;
  std::string_view value = a.value();
  long long number = 0;
  auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (ec != std::errc() || end != value.data() + value.size()) return fallback;
  return number;
}

}  // namespace tavrello::host::xlsx
