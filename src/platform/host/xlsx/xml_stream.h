#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::host::xlsx {

// A pull reader for large XML parts (worksheets, shared strings), which it
// reads piece by piece from a fill function instead of holding them whole.
// It checks well-formedness as it goes (matching tags, quoted attributes,
// known entities) and refuses what a workbook part never needs and an
// attacker might use: document type declarations (and with them every
// entity definition), encodings other than UTF-8, and tags or texts longer
// than `maxToken` bytes. Element and attribute names are given without their
// namespace prefix; the xmlns declarations are not reported as attributes.
// Failures are tavrello::Failure 1004 naming the part and saying what is
// wrong.
class XmlStream {
 public:
  using Fill = std::function<std::size_t(char* buffer, std::size_t size)>;

  enum class Event { Start, End, Text, Finished };

  XmlStream(Fill fill, std::string partName, std::size_t maxToken);

  // The next event. An empty element (<c/>) gives Start and then End.
  Event next();

  // Of the last Start (or End) event: the element's local name.
  std::string_view name() const { return name_; }
  // Of the last Start event: an attribute's value by local name, decoded.
  std::optional<std::string_view> attribute(std::string_view localName) const;
  // Of the last Text event: the text, entities decoded (CDATA as written).
  std::string_view text() const { return text_; }
  // Elements open around the current position (the root is depth 1).
  std::size_t depth() const { return open_.size(); }

  // After a Start event: skips to the element's End.
  void skipElement();
  // After a Start event: the element's text content up to its End, the
  // text of nested elements included.
  std::string elementText();

  // A failure naming the part, for the callers' own checks.
  [[noreturn]] void fail(const std::string& why) const;

 private:
  bool ensure(std::size_t n);
  std::size_t find(std::string_view what, std::size_t from);
  // Reads a start or end tag; true for a start.
  bool readTag();
  void readText();
  void skipSpecial();
  void decodeInto(std::string& out, std::string_view raw, bool attribute);
  bool hasRepeatedAttribute();

  Fill fill_;
  std::string part_;
  std::size_t maxToken_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool eof_ = false;
  bool started_ = false;
  bool pendingEnd_ = false;
  bool sawRoot_ = false;

  std::string name_;
  std::string text_;
  struct Attribute {
    std::string name;
    std::string value;
  };
  std::vector<Attribute> attributes_;
  std::size_t attributeCount_ = 0;
  std::vector<std::string_view> sortedNames_;
  std::vector<std::string> open_;
};

}  // namespace tavrello::host::xlsx
