#include "platform/host/xlsx/unkept_parts.h"

#include <string_view>

#include "platform/host/xlsx/zip_reader.h"

namespace tavrello::host::xlsx {

namespace {

struct Kind {
  const char* prefix;  // of the part name, letter case ignored
  const char* shown;
};

constexpr Kind kKinds[] = {
    {"xl/charts/", "charts"},
    {"xl/chartsheets/", "chart sheets"},
    {"xl/drawings/", "drawings"},
    {"xl/media/", "pictures"},
    {"xl/pivottables/", "pivot tables"},
    {"xl/pivotcache/", "pivot table caches"},
    {"xl/vbaproject", "macros"},
    {"xl/macrosheets/", "macro sheets"},
    {"xl/dialogsheets/", "dialog sheets"},
    {"xl/tables/", "tables (their cells are kept)"},
    {"xl/comments", "comments"},
    {"xl/threadedcomments/", "comments"},
    {"xl/externallinks/", "links to other workbooks"},
    {"xl/slicers/", "slicers"},
    {"xl/slicercaches/", "slicers"},
    {"xl/timelines/", "timelines"},
    {"xl/activex/", "controls"},
    {"xl/embeddings/", "embedded objects"},
};

bool startsWith(std::string_view name, std::string_view prefix) {
  if (name.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> unkeptParts(const ZipReader& zip) {
  std::vector<std::string> shown;
  std::vector<std::pair<std::string, std::size_t>> found;  // first part and count, per kind
  std::vector<const char*> kinds;
  for (const auto& entry : zip.entries()) {
    if (entry.name.ends_with(".rels")) continue;
    for (const Kind& kind : kKinds) {
      if (!startsWith(entry.name, kind.prefix)) continue;
      std::size_t at = 0;
      while (at < kinds.size() && std::string_view(kinds[at]) != kind.shown) ++at;
      if (at == kinds.size()) {
        kinds.push_back(kind.shown);
        found.emplace_back(entry.name, 0);
      }
      ++found[at].second;
      break;
    }
  }
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    std::string text = std::string(kinds[i]) + " (" + found[i].first;
    if (found[i].second > 1) text += " and " + std::to_string(found[i].second - 1) + " more";
    shown.push_back(text + ")");
  }
  return shown;
}

}  // namespace tavrello::host::xlsx
