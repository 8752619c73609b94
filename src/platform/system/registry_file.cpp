#include "platform/system/registry_file.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <unordered_map>

namespace tavrello::sys::registry {

namespace {

constexpr std::string_view kStringTag = "sz:";
constexpr std::string_view kDwordTag = "dword:";

// Characters escaped in each kind of field besides '%', control bytes and a
// blank at either end (which text editors like to drop).
constexpr std::string_view kKeyExtra = "[]";
constexpr std::string_view kNameExtra = "=[;#";
constexpr std::string_view kDataExtra = "";

std::string escape(std::string_view text, std::string_view extra) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool edgeBlank = c == ' ' && (i == 0 || i + 1 == text.size());
    if (c == '%' || c < 0x20 || c == 0x7F || edgeBlank || extra.find(static_cast<char>(c)) != std::string_view::npos) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int hi = hexDigit(text[i + 1]);
    const int lo = hexDigit(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

std::optional<std::uint32_t> parseDword(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string dwordText(std::uint32_t value) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08x", value);
  return buffer;
}

// One key line: "[" path "]", components escaped. Nothing when unreadable.
std::optional<std::string> parseKeyLine(std::string_view line) {
  std::string_view inner = line.substr(1, line.size() - 2);
  std::string path;
  for (const auto& component : splitPath(inner)) {
    auto name = unescape(component);
    if (!name || name->empty() || name->find('\\') != std::string::npos) return std::nullopt;
    if (!path.empty()) path += '\\';
    path += *name;
  }
  return path;
}

struct ParsedValue {
  std::string name;
  ValueData data;
};

std::optional<ParsedValue> parseValueLine(std::string_view line, std::string& reason) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) {
    reason = "neither a key line nor a value line";
    return std::nullopt;
  }
  auto name = unescape(line.substr(0, eq));
  if (!name) {
    reason = "bad escape in the value name";
    return std::nullopt;
  }
  std::string_view rest = line.substr(eq + 1);
  if (rest.starts_with(kStringTag)) {
    auto text = unescape(rest.substr(kStringTag.size()));
    if (!text) {
      reason = "bad escape in the string";
      return std::nullopt;
    }
    return ParsedValue{std::move(*name), std::move(*text)};
  }
  if (rest.starts_with(kDwordTag)) {
    auto number = parseDword(rest.substr(kDwordTag.size()));
    if (!number) {
      reason = "the number is not 1 to 8 hexadecimal digits";
      return std::nullopt;
    }
    return ParsedValue{std::move(*name), *number};
  }
  reason = "unknown value type";
  return std::nullopt;
}

}  // namespace

ParsedHive parseHive(std::string_view bytes) {
  ParsedHive out;
  std::optional<std::string> current = std::string();  // values before any key line go to the root
  // Where each value of a key sits, by folded name: a later line of the same
  // name replaces the value, and a key of many values still reads in linear
  // time.
  std::unordered_map<const Key*, std::unordered_map<std::string, std::size_t>> positions;
  std::size_t number = 0;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;

    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = parseKeyLine(line);
      if (!current) {
        out.unreadable.push_back({number, "bad key name"});
      } else if (!withinMaxDepth(*current)) {
        out.unreadable.push_back(
            {number, "the key is nested more than " + std::to_string(kMaxKeyDepth) + " levels deep"});
        current.reset();
      } else {
        out.hive.create(*current);
      }
      continue;
    }
    std::string reason;
    auto value = parseValueLine(line, reason);
    if (!value) {
      out.unreadable.push_back({number, reason});
    } else if (!current) {
      out.unreadable.push_back({number, "value under an unreadable key line"});
    } else {
      Key& key = *out.hive.find(*current);
      auto [at, added] = positions[&key].try_emplace(foldCase(value->name), key.values.size());
      if (added) key.values.push_back(Value{std::move(value->name), std::move(value->data)});
      else key.values[at->second].data = std::move(value->data);
    }
  }
  return out;
}

std::string formatHive(const Hive& hive, std::string_view comment) {
  std::string out = "; ";
  out += escape(comment, kDataExtra);
  out += '\n';
  for (const auto& [path, key] : hive.allKeys()) {
    if (path.empty() && key->values.empty()) continue;
    out += "\n[";
    bool first = true;
    for (const auto& component : splitPath(path)) {
      if (!first) out += '\\';
      out += escape(component, kKeyExtra);
      first = false;
    }
    out += "]\n";
    for (const auto& value : key->values) {
      out += escape(value.name, kNameExtra);
      out += '=';
      if (const auto* text = std::get_if<std::string>(&value.data)) {
        out += kStringTag;
        out += escape(*text, kDataExtra);
      } else {
        out += kDwordTag;
        out += dwordText(std::get<std::uint32_t>(value.data));
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace tavrello::sys::registry
