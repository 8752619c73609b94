#include "platform/builder/ast.h"

#include "platform/builder/text_util.h"

namespace tavrello::builder {

bool sameName(const Identifier& a, const Identifier& b) { return equalsIgnoreCase(a.name, b.name); }

bool sameName(const Name& a, const Name& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!sameName(a[i], b[i])) return false;
  }
  return true;
}

}  // namespace tavrello::builder
