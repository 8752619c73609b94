#include "profiles/settings_document.h"

#include <pugixml.hpp>

#include "platform/system/failure.h"

namespace tavrello {

namespace {

// Keeps white-space-only text only where it is an element's single child, so
// that a value of blanks reads back as blanks while the indentation between
// elements is dropped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

bool hasOneRootElement(const pugi::xml_document& doc) {
  int elements = 0;
  for (pugi::xml_node child : doc.children()) {
    if (child.type() == pugi::node_element) ++elements;
  }
  // The parser accepts several top-level elements; a well-formed document has one.
  return elements == 1;
}

void appendText(pugi::xml_node node, std::string& out) {
  if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
    out += node.value();
    return;
  }
  for (pugi::xml_node child : node.children()) appendText(child, out);
}

std::string textOf(pugi::xml_node node) {
  std::string text;
  appendText(node, text);
  return text;
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
  auto impl = std::make_unique<Impl>();
  impl->select(impl->doc.load_file(file.c_str(), kParseOptions));
  return SettingsDocument(std::move(impl));
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
