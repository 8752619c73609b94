#include "platform/system/registry_hive.h"

#include <algorithm>
#include <unordered_map>

namespace tavrello::sys::registry {

namespace {

std::string join(const std::vector<std::string>& parts, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    if (i) out += '\\';
    out += parts[i];
  }
  return out;
}

std::string foldedPath(std::string_view path) {
  auto parts = splitPath(path);
  for (auto& p : parts) p = foldCase(p);
  return join(parts, parts.size());
}

// Every key strictly below the folded path `folded`, as an iterator range.
template <typename Map>
auto descendants(Map& keys, const std::string& folded) {
  if (folded.empty()) return std::make_pair(std::next(keys.begin()), keys.end());
  const std::string prefix = folded + '\\';
  auto first = keys.lower_bound(prefix);
  auto last = first;
  while (last != keys.end() && last->first.starts_with(prefix)) ++last;
  return std::make_pair(first, last);
}

}  // namespace

std::vector<std::string> splitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string foldCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool withinMaxDepth(std::string_view path) {
  std::size_t depth = 0;
  bool inComponent = false;
  for (char c : path) {
    if (c == '\\') {
      inComponent = false;
    } else if (!inComponent) {
      inComponent = true;
      if (++depth > kMaxKeyDepth) return false;
    }
  }
  return true;
}

Hive::Hive() { keys_.emplace(std::string(), Key{}); }

bool Hive::exists(std::string_view path) const { return find(path) != nullptr; }

const Key* Hive::find(std::string_view path) const {
  auto it = keys_.find(foldedPath(path));
  return it == keys_.end() ? nullptr : &it->second;
}

Key* Hive::find(std::string_view path) {
  auto it = keys_.find(foldedPath(path));
  return it == keys_.end() ? nullptr : &it->second;
}

bool Hive::create(std::string_view path) {
  if (!withinMaxDepth(path)) return false;
  const auto parts = splitPath(path);
  std::string folded;
  bool created = false;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) folded += '\\';
    folded += foldCase(parts[i]);
    created = keys_.try_emplace(folded, Key{parts[i], {}}).second;
  }
  return created;
}

bool Hive::removeTree(std::string_view path) {
  const std::string folded = foldedPath(path);
  if (folded.empty()) return false;
  auto it = keys_.find(folded);
  if (it == keys_.end()) return false;
  auto [first, last] = descendants(keys_, folded);
  keys_.erase(first, last);
  keys_.erase(folded);
  return true;
}

void Hive::removeChildren(std::string_view path) {
  auto [first, last] = descendants(keys_, foldedPath(path));
  keys_.erase(first, last);
}

std::vector<std::string> Hive::subkeyNames(std::string_view path) const {
  const std::string folded = foldedPath(path);
  const std::size_t depth = folded.empty() ? 0 : folded.size() + 1;
  std::vector<std::string> names;
  auto [first, last] = descendants(keys_, folded);
  for (auto it = first; it != last; ++it) {
    if (it->first.find('\\', depth) == std::string::npos) names.push_back(it->second.name);
  }
  return names;
}

bool Hive::hasSubkeys(std::string_view path) const {
  auto [first, last] = descendants(keys_, foldedPath(path));
  return first != last;
}

std::string Hive::displayPath(std::string_view path) const {
  const auto parts = splitPath(path);
  std::vector<std::string> shown;
  std::string folded;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) folded += '\\';
    folded += foldCase(parts[i]);
    auto it = keys_.find(folded);
    shown.push_back(it == keys_.end() ? parts[i] : it->second.name);
  }
  return join(shown, shown.size());
}

std::vector<std::pair<std::string, const Key*>> Hive::allKeys() const {
  std::vector<std::pair<std::string, const Key*>> out;
  out.reserve(keys_.size());
  // A key's display path is its parent's and its own name. Parents come
  // first in path order, so each path is its parent's taken from here, not
  // spelled again from the root, which for a deep key costs its depth over.
  std::unordered_map<std::string_view, std::size_t> positions;
  for (const auto& [folded, key] : keys_) {
    const std::size_t cut = folded.rfind('\\');
    std::string path;
    if (cut != std::string::npos) {
      auto parent = positions.find(std::string_view(folded).substr(0, cut));
      path = parent == positions.end() ? displayPath(folded.substr(0, cut)) : out[parent->second].first;
      path += '\\';
    }
    if (!folded.empty()) path += key.name;
    positions.emplace(folded, out.size());
    out.emplace_back(std::move(path), &key);
  }
  return out;
}

namespace {

template <typename Values>
auto valueNamed(Values& values, std::string_view name) {
  const std::string folded = foldCase(name);
  return std::find_if(values.begin(), values.end(),
                      [&](const Value& v) { return foldCase(v.name) == folded; });
}

}  // namespace

const Value* findValue(const Key& key, std::string_view name) {
  auto it = valueNamed(key.values, name);
  return it == key.values.end() ? nullptr : &*it;
}

void setValue(Key& key, std::string_view name, ValueData data) {
  auto it = valueNamed(key.values, name);
  if (it != key.values.end()) it->data = std::move(data);
  else key.values.push_back(Value{std::string(name), std::move(data)});
}

bool removeValue(Key& key, std::string_view name) {
  auto it = valueNamed(key.values, name);
  if (it == key.values.end()) return false;
  key.values.erase(it);
  return true;
}

}  // namespace tavrello::sys::registry
