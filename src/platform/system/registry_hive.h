#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// The contents of one registry hive in memory: keys by path, each with its
// values. No input or output here; registry_file reads and writes it, and
// registry_store keeps it in step with the file on disk.
namespace tavrello::sys::registry {

// A value's data: a string (REG_SZ) or a 32-bit number (REG_DWORD).
using ValueData = std::variant<std::string, std::uint32_t>;

struct Value {
  std::string name;  // as first stored
  ValueData data;
};

struct Key {
  std::string name;             // last path component, as first created
  std::vector<Value> values;    // in storing order
};

// Paths are backslash-separated; empty components (a leading, trailing or
// doubled backslash) are ignored, so "A\\B\" is the key A\B. The empty path
// is the hive's root, which always exists.
std::vector<std::string> splitPath(std::string_view path);

// ASCII letters folded to lower case: the comparison key of names and paths.
std::string foldCase(std::string_view text);

// Keys nest at most this many levels; the program's own go six deep. A
// deeper key is refused, in a file and when created, so that a damaged file
// costs time and memory in proportion to its size: each level of a key is a
// key of its own, spelled out from the root.
inline constexpr std::size_t kMaxKeyDepth = 32;
// Whether `path` has at most kMaxKeyDepth components.
bool withinMaxDepth(std::string_view path);

class Hive {
 public:
  Hive();

  bool exists(std::string_view path) const;
  const Key* find(std::string_view path) const;
  Key* find(std::string_view path);

  // Creates the key and its missing parents; existing ones keep their
  // spelling. Returns true when the key itself was new. A path deeper than
  // kMaxKeyDepth creates nothing and returns false.
  bool create(std::string_view path);

  // Removes the key (not the root) and everything below it; false when it
  // did not exist.
  bool removeTree(std::string_view path);

  // Removes everything below the key, keeping the key and its values.
  void removeChildren(std::string_view path);

  // Names of the direct subkeys, ordered case-insensitively.
  std::vector<std::string> subkeyNames(std::string_view path) const;
  bool hasSubkeys(std::string_view path) const;

  // The path spelled as the keys were created ("" for the root).
  std::string displayPath(std::string_view path) const;

  // Every key in path order (parents before their children), root first,
  // with its display path.
  std::vector<std::pair<std::string, const Key*>> allKeys() const;

 private:
  std::map<std::string, Key> keys_;  // folded full path -> key
};

// Value lookups within one key, by case-insensitive name.
const Value* findValue(const Key& key, std::string_view name);
void setValue(Key& key, std::string_view name, ValueData data);
bool removeValue(Key& key, std::string_view name);

}  // namespace tavrello::sys::registry
