#include "platform/host/xlsx/package_relationships.h"

#include "platform/host/xlsx/xml_tree.h"
#include "platform/host/xlsx/zip_reader.h"

namespace tavrello::host::xlsx {

namespace {

std::string relationshipsPart(std::string_view part) {
  auto slash = part.rfind('/');
  std::string_view folder = slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
  std::string_view file = slash == std::string_view::npos ? part : part.substr(slash + 1);
  return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string resolveTarget(std::string_view sourcePart, std::string_view target) {
  std::string decoded;
  for (std::size_t i = 0; i < target.size(); ++i) {
    if (target[i] == '%' && i + 2 < target.size() && hexDigit(target[i + 1]) >= 0 && hexDigit(target[i + 2]) >= 0) {
      decoded += static_cast<char>(hexDigit(target[i + 1]) * 16 + hexDigit(target[i + 2]));
      i += 2;
    } else {
      decoded += target[i];
    }
  }
  std::string path;
  if (!decoded.empty() && decoded[0] == '/') {
    path = decoded.substr(1);
  } else {
    auto slash = sourcePart.rfind('/');
    path = (slash == std::string_view::npos ? std::string() : std::string(sourcePart.substr(0, slash + 1))) + decoded;
  }
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string out;
  for (const auto& segment : segments) out += (out.empty() ? "" : "/") + segment;
  return out;
}

std::vector<Relationship> readRelationships(ZipReader& zip, std::string_view part) {
  std::vector<Relationship> relationships;
  const std::string rels = part.empty() ? std::string("_rels/.rels") : relationshipsPart(part);
  if (!zip.has(rels)) return relationships;
  pugi::xml_document document = loadTree(zip, rels);
  for (pugi::xml_node node : document.document_element().children()) {
    if (!isNamed(node, "Relationship")) continue;
    Relationship relationship;
    relationship.id = attribute(node, "Id").value();
    std::string_view type = attribute(node, "Type").value();
    auto slash = type.rfind('/');
    relationship.type = std::string(slash == std::string_view::npos ? type : type.substr(slash + 1));
    relationship.external = std::string_view(attribute(node, "TargetMode").value()) == "External";
    relationship.target =
        relationship.external ? std::string(attribute(node, "Target").value()) : resolveTarget(part, attribute(node, "Target").value());
    relationships.push_back(std::move(relationship));
  }
  return relationships;
}

const Relationship* findByType(const std::vector<Relationship>& relationships, std::string_view type) {
  for (const auto& r : relationships) {
    if (r.type == type && !r.external) return &r;
  }
  return nullptr;
}

const Relationship* findById(const std::vector<Relationship>& relationships, std::string_view id) {
  for (const auto& r : relationships) {
    if (r.id == id) return &r;
  }
  return nullptr;
}

}  // namespace tavrello::host::xlsx
