#include "profiles/settings_document.h"

#include <pugixml.hpp>

#include "platform/system/failure.h"
#include "platform/system/regular_file.h"

namespace tavrello {

namespace {

// Keeps white-space-only text only where it is an element's single child, so
// that a value of blanks reads back as blanks while the indentation between
// elements is dropped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

// Far more than any list of connections needs.
constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

bool hasOneRootElement(const pugi::xml_document& doc) {
  int elements = 0;
  for (pugi::xml_node child : doc.children()) {
    if (child.type() == pugi::node_element) ++elements;
  }
  // The parser accepts several top-level elements; a well-formed document has one.
  return elements == 1;
}

// The text of the node and of every node below it, in document order. A
// walk along the tree's links rather than a recursion, as a hand-made file
// may nest elements deeper than any stack.
std::string textOf(pugi::xml_node top) {
  std::string text;
  pugi::xml_node node = top;
  for (;;) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) text += node.value();
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != top && !node.next_sibling()) node = node.parent();
    if (node == top) return text;
    node = node.next_sibling();
  }
}

}  // namespace

struct SettingsDocument::Impl {
  pugi::xml_document doc;
  pugi::xpath_node_set connections;

  void select(const pugi::xml_parse_result& result) {
    if (result && hasOneRootElement(doc)) {
      connections = doc.select_nodes("connections/*");
    } else {
      doc.reset();
    }
  }
};

SettingsDocument::SettingsDocument(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SettingsDocument::SettingsDocument(SettingsDocument&&) noexcept = default;
SettingsDocument& SettingsDocument::operator=(SettingsDocument&&) noexcept = default;
SettingsDocument::~SettingsDocument() = default;

SettingsDocument SettingsDocument::fromFile(const std::filesystem::path& file) {
  std::string text;
  try {
    text = sys::readRegularFile(file, kMaxFileBytes);
  } catch (const Failure&) {
    // Missing, of another kind (a FIFO, a folder) or too large: unreadable.
  }
  return fromText(text);
}

SettingsDocument SettingsDocument::fromText(std::string_view text) {
  auto impl = std::make_unique<Impl>();
  impl->select(impl->doc.load_buffer(text.data(), text.size(), kParseOptions));
  return SettingsDocument(std::move(impl));
}

std::size_t SettingsDocument::connectionCount() const { return impl_->connections.size(); }

ConnectionProfile SettingsDocument::connection(std::size_t index) const {
  pugi::xml_node element = impl_->connections[index].node();
  pugi::xml_node name = element.first_child();
  pugi::xml_node value = name.next_sibling();
  if (!name || !value) throw Failure::objectNotSet();
  return {textOf(name), textOf(value)};
}

}  // namespace tavrello
