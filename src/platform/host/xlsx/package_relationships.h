#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::host::xlsx {

class ZipReader;

// One relationship of a part, its target resolved to a part name of the
// package ("xl/worksheets/sheet1.xml").
struct Relationship {
  std::string id;
  std::string type;  // the last segment of the type URI: "worksheet", "styles", "queryTable", ...
  std::string target;
  bool external = false;
};

// The relationships of `part` ("" for the package's own), read from its
// .rels part; none when it has no such part. Both the transitional and the
// strict type URIs are understood, as only their last segment counts.
std::vector<Relationship> readRelationships(ZipReader& zip, std::string_view part);

// The first relationship of that type, or of that id: a pointer into
// `relationships`, so a temporary list is refused at compile time.
const Relationship* findByType(const std::vector<Relationship>& relationships, std::string_view type);
const Relationship* findById(const std::vector<Relationship>& relationships, std::string_view id);
const Relationship* findByType(std::vector<Relationship>&& relationships, std::string_view type) = delete;
const Relationship* findById(std::vector<Relationship>&& relationships, std::string_view id) = delete;

// A target as written in a .rels part of `sourcePart`, as a part name: a
// leading "/" starts at the package root, "../" climbs, %XX is decoded.
std::string resolveTarget(std::string_view sourcePart, std::string_view target);

}  // namespace tavrello::host::xlsx
