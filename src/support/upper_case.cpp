#include "support/upper_case.h"

#include <cctype>

namespace tavrello {

std::string UCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace tavrello
