// The registry file is a text file in the user's folders that anything can
// write. Reading never fails or crashes; and a hive read from any bytes is
// written to a file that reads back to the same keys and values, without an
// unreadable line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/system/registry_file.h"

namespace {

using namespace tavrello::sys::registry;

bool sameHive(const Hive& a, const Hive& b) {
  const auto keysA = a.allKeys();
  const auto keysB = b.allKeys();
  if (keysA.size() != keysB.size()) return false;
  for (std::size_t i = 0; i < keysA.size(); ++i) {
    if (keysA[i].first != keysB[i].first) return false;
    const Key& x = *keysA[i].second;
    const Key& y = *keysB[i].second;
    if (x.name != y.name || x.values.size() != y.values.size()) return false;
    for (std::size_t v = 0; v < x.values.size(); ++v) {
      if (x.values[v].name != y.values[v].name || x.values[v].data != y.values[v].data) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ParsedHive parsed = parseHive(bytes);
  for (const UnreadableLine& line : parsed.unreadable) {
    FUZZ_CHECK(line.number >= 1 && !line.reason.empty(), "an unreadable line says where and why");
  }
  const std::string file = formatHive(parsed.hive, "written again");
  const ParsedHive again = parseHive(file);
  FUZZ_CHECK(again.unreadable.empty(), "a written hive has no unreadable line");
  FUZZ_CHECK(sameHive(parsed.hive, again.hive), "a written hive reads back the same");
  return 0;
}
