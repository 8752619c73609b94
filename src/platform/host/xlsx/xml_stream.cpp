#include "platform/host/xlsx/xml_stream.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/host/xlsx/xml_text.h"
#include "platform/system/failure.h"
#include "platform/system/utf8.h"

namespace tavrello::host::xlsx {

namespace {

constexpr std::size_t kChunk = 256 * 1024;
constexpr std::size_t kMaxDepth = 256;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view localName(std::string_view name) {
  auto colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool isXmlChar(std::uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}


}  // namespace

XmlStream::XmlStream(Fill fill, std::string partName, std::size_t maxToken)
    : fill_(std::move(fill)), part_(std::move(partName)), maxToken_(maxToken) {}

void XmlStream::fail(const std::string& why) const {
  throw Failure::host("The workbook part " + part_ + " cannot be read: " + why + ".");
}

bool XmlStream::ensure(std::size_t n) {
  while (buffer_.size() - pos_ < n) {
    if (eof_) return false;
    if (buffer_.size() - pos_ > maxToken_ + 16) fail("it holds an element or a text longer than the limit");
    if (pos_ > 0 && pos_ >= buffer_.size() / 2) {
      buffer_.erase(0, pos_);
      pos_ = 0;
    }
    std::size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    std::size_t got = fill_(buffer_.data() + old, kChunk);
    buffer_.resize(old + got);
    if (got == 0) eof_ = true;
  }
  return true;
}

std::size_t XmlStream::find(std::string_view what, std::size_t from) {
  std::size_t scanned = from;
  for (;;) {
    std::size_t at = buffer_.find(what, pos_ + scanned);
    if (at != std::string::npos) {
      if (at - pos_ > maxToken_) fail("it holds an element or a text longer than the limit");
      return at - pos_;
    }
    std::size_t have = buffer_.size() - pos_;
    scanned = have >= what.size() ? have - what.size() + 1 : 0;
    if (have > maxToken_) fail("it holds an element or a text longer than the limit");
    if (!ensure(have + 1)) return std::string::npos;
  }
}

void XmlStream::decodeInto(std::string& out, std::string_view raw, bool attribute) {
  out.clear();
  for (std::size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (c == '\r') {
      // Line ends read as one line feed, as XML prescribes.
      if (i + 1 < raw.size() && raw[i + 1] == '\n') continue;
      c = '\n';
    }
    if (attribute && (c == '\n' || c == '\t')) c = ' ';
    if (c == '<' && attribute) fail("an attribute value holds '<'");
    if (c != '&') {
      out += c;
      continue;
    }
    std::size_t end = raw.find(';', i);
    if (end == std::string_view::npos || end - i > 12) fail("an '&' does not start an entity");
    std::string_view entity = raw.substr(i + 1, end - i - 1);
    i = end;
    if (entity == "lt") out += '<';
    else if (entity == "gt") out += '>';
    else if (entity == "amp") out += '&';
    else if (entity == "quot") out += '"';
    else if (entity == "apos") out += '\'';
    else if (entity.size() > 1 && entity[0] == '#') {
      std::uint32_t code = 0;
      bool hex = entity[1] == 'x';
      std::string_view digits = entity.substr(hex ? 2 : 1);
      if (digits.empty() || digits.size() > 8) fail("a character reference is malformed");
      for (char d : digits) {
        int v = d >= '0' && d <= '9' ? d - '0' : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10 : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10 : -1;
        if (v < 0) fail("a character reference is malformed");
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
        if (code > 0x10FFFF) fail("a character reference is out of range");
      }
      if (!isXmlChar(code)) fail("a character reference names a character XML cannot hold");
      sys::appendUtf8(out, code);
    } else {
      // Only a document type declaration could define other entities, and
      // those are refused.
      fail("it uses the entity '&" + std::string(entity) + ";', which is not defined");
    }
  }
}

XmlStream::Event XmlStream::next() {
  if (pendingEnd_) {
    pendingEnd_ = false;
    open_.pop_back();
    return Event::End;
  }
  if (!started_) {
    started_ = true;
    if (ensure(2) && (static_cast<unsigned char>(buffer_[0]) == 0xFE || static_cast<unsigned char>(buffer_[0]) == 0xFF))
      fail("it is written in UTF-16; workbook parts are read as UTF-8");
    if (ensure(3) && buffer_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
  }
  for (;;) {
    if (!ensure(1)) {
      if (!open_.empty()) fail("it ends inside the element <" + open_.back() + ">");
      if (!sawRoot_) fail("it holds no XML element");
      return Event::Finished;
    }
    if (buffer_[pos_] != '<') {
      readText();
      if (open_.empty()) {
        if (!std::all_of(text_.begin(), text_.end(), isSpace)) fail("it holds text outside its root element");
        continue;
      }
      return Event::Text;
    }
    ensure(9);
    std::string_view head(buffer_.data() + pos_, std::min<std::size_t>(9, buffer_.size() - pos_));
    if (head.substr(0, 2) == "<?" || head.substr(0, 4) == "<!--") {
      skipSpecial();
      continue;
    }
    if (head.substr(0, 9) == "<![CDATA[") {
      std::size_t end = find("]]>", 9);
      if (end == std::string::npos) fail("a CDATA section is not closed");
      if (open_.empty()) fail("it holds text outside its root element");
      text_.assign(buffer_, pos_ + 9, end - 9);
      pos_ += end + 3;
      return Event::Text;
    }
    if (head.substr(0, 2) == "<!") {
      fail("it holds a document type declaration (<!DOCTYPE ...>), which workbook parts never have; this host "
           "does not read them, so that a file cannot define entities");
    }
    return readTag() ? Event::Start : Event::End;
  }
}

void XmlStream::skipSpecial() {
  bool comment = buffer_.compare(pos_, 4, "<!--") == 0;
  std::size_t end = find(comment ? "-->" : "?>", comment ? 4 : 2);
  if (end == std::string::npos) fail(comment ? "a comment is not closed" : "a processing instruction is not closed");
  if (!comment && buffer_.compare(pos_, 5, "<?xml") == 0 && isSpace(buffer_[pos_ + 5])) {
    std::string_view declaration(buffer_.data() + pos_, end);
    auto at = declaration.find("encoding");
    if (at != std::string_view::npos) {
      auto quote = declaration.find_first_of("\"'", at);
      auto close = quote == std::string_view::npos ? quote : declaration.find(declaration[quote], quote + 1);
      if (close == std::string_view::npos) fail("its XML declaration is malformed");
      std::string encoding(declaration.substr(quote + 1, close - quote - 1));
      for (char& c : encoding) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (encoding != "utf-8" && encoding != "utf8")
        fail("it is written in the encoding " + encoding + "; workbook parts are read as UTF-8");
    }
  }
  pos_ += end + (comment ? 3 : 2);
}

void XmlStream::readText() {
  std::size_t end = find("<", 0);
  if (end == std::string::npos) end = buffer_.size() - pos_;
  decodeInto(text_, std::string_view(buffer_.data() + pos_, end), false);
  pos_ += end;
}

bool XmlStream::readTag() {
  // Finds the '>' that closes the tag, stepping over quoted values (which
  // may hold '>').
  std::size_t i = 1;
  char quote = 0;
  for (;; ++i) {
    if (i > maxToken_) fail("it holds an element longer than the limit");
    if (!ensure(i + 1)) fail("it ends inside a tag");
    char c = buffer_[pos_ + i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      break;
    } else if (c == '<') {
      fail("a tag holds '<'");
    }
  }
  std::string_view tag(buffer_.data() + pos_ + 1, i - 1);  // between '<' and '>'
  pos_ += i + 1;

  if (!tag.empty() && tag[0] == '/') {
    std::string_view name = tag.substr(1);
    while (!name.empty() && isSpace(name.back())) name.remove_suffix(1);
    if (open_.empty() || open_.back() != name)
      fail("the end tag </" + std::string(name) + "> does not match " +
           (open_.empty() ? std::string("any open element") : "<" + open_.back() + ">"));
    name_.assign(localName(name));
    open_.pop_back();
    return false;
  }
  bool empty = !tag.empty() && tag.back() == '/';
  if (empty) tag.remove_suffix(1);
  std::size_t n = 0;
  while (n < tag.size() && !isSpace(tag[n])) ++n;
  std::string_view qualified = tag.substr(0, n);
  if (qualified.empty()) fail("a tag has no name");
  if (open_.empty() && sawRoot_) fail("it holds a second root element <" + std::string(qualified) + ">");
  if (open_.size() >= kMaxDepth) fail("its elements nest deeper than " + std::to_string(kMaxDepth) + " levels");
  sawRoot_ = true;

  attributeCount_ = 0;
  std::size_t at = n;
  while (at < tag.size()) {
    while (at < tag.size() && isSpace(tag[at])) ++at;
    if (at == tag.size()) break;
    std::size_t nameStart = at;
    while (at < tag.size() && tag[at] != '=' && !isSpace(tag[at])) ++at;
    std::string_view attributeName = tag.substr(nameStart, at - nameStart);
    while (at < tag.size() && isSpace(tag[at])) ++at;
    if (at == tag.size() || tag[at] != '=') fail("an attribute of <" + std::string(qualified) + "> has no value");
    ++at;
    while (at < tag.size() && isSpace(tag[at])) ++at;
    if (at == tag.size() || (tag[at] != '"' && tag[at] != '\'')) fail("an attribute value is not quoted");
    char q = tag[at++];
    std::size_t close = tag.find(q, at);
    if (close == std::string_view::npos) fail("an attribute value is not closed");
    std::string_view raw = tag.substr(at, close - at);
    at = close + 1;
    if (at < tag.size() && !isSpace(tag[at])) fail("attributes of <" + std::string(qualified) + "> run together");
    if (attributeName == "xmlns" || attributeName.substr(0, 6) == "xmlns:") continue;
    if (attributeCount_ == attributes_.size()) attributes_.emplace_back();
    Attribute& slot = attributes_[attributeCount_++];
    slot.name.assign(attributeName);
    decodeInto(slot.value, raw, true);
  }
  if (hasRepeatedAttribute()) fail("an attribute occurs twice in <" + std::string(qualified) + ">");
  open_.emplace_back(qualified);
  name_.assign(localName(qualified));
  pendingEnd_ = empty;
  return true;
}

bool XmlStream::hasRepeatedAttribute() {
  // A tag's few attributes are compared pair by pair; a long list is
  // sorted, so that a tag of a million attributes takes no longer than the
  // reading of its text.
  constexpr std::size_t kPairwise = 8;
  if (attributeCount_ <= kPairwise) {
    for (std::size_t k = 1; k < attributeCount_; ++k) {
      for (std::size_t j = 0; j < k; ++j) {
        if (attributes_[j].name == attributes_[k].name) return true;
      }
    }
    return false;
  }
  sortedNames_.clear();
  for (std::size_t k = 0; k < attributeCount_; ++k) sortedNames_.push_back(attributes_[k].name);
  std::sort(sortedNames_.begin(), sortedNames_.end());
  return std::adjacent_find(sortedNames_.begin(), sortedNames_.end()) != sortedNames_.end();
}

std::optional<std::string_view> XmlStream::attribute(std::string_view name) const {
  for (std::size_t k = 0; k < attributeCount_; ++k) {
    if (localName(attributes_[k].name) == name) return attributes_[k].value;
  }
  return std::nullopt;
}

void XmlStream::skipElement() {
  const std::size_t depth = open_.size();
  for (;;) {
    Event event = next();
    if (event == Event::Finished) fail("an element is not closed");
    if (event == Event::End && open_.size() < depth) return;
  }
}

std::string XmlStream::elementText() {
  std::string text;
  const std::size_t depth = open_.size();
  for (;;) {
    Event event = next();
    if (event == Event::Finished) fail("an element is not closed");
    if (event == Event::Text) text += text_;
    if (event == Event::End && open_.size() < depth) return text;
  }
}

}  // namespace tavrello::host::xlsx
