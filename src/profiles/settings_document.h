#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

#include "profiles/connection_list.h"

namespace tavrello {

// A parsed settings file: the connection elements, the element children of
// the root element "connections" whatever their own names, in document order.
// Within a connection the first child node is the name and the second the
// connection string, taken by position; white-space-only text between
// elements is not a node, and each value is the node's text with entities
// decoded.
class SettingsDocument {
 public:
  // Reads a file. A missing, empty, unreadable or malformed file, or one whose
  // root is not "connections", gives a document without connections; this
  // never fails.
  static SettingsDocument fromFile(const std::filesystem::path& file);
  // The same for text already in memory.
  static SettingsDocument fromText(std::string_view text);

  SettingsDocument(SettingsDocument&&) noexcept;
  SettingsDocument& operator=(SettingsDocument&&) noexcept;
  ~SettingsDocument();

  std::size_t connectionCount() const;

  // Connection `index` (from 0). Throws Failure 91 when the element has fewer
  // than two child nodes, as reading the missing one finds no object.
  ConnectionProfile connection(std::size_t index) const;

 private:
  struct Impl;
  explicit SettingsDocument(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace tavrello
