#include "import/query_connection_argument.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tavrello {
namespace {

// Where `word` (upper case) first stands in `text`, letter case ignored.
std::size_t findIgnoringCase(std::string_view text, std::string_view word) {
  const auto at = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
  });
  return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

}  // namespace

host::QueryConnection QueryConnectionArgument(const std::string& stored) {
  if (findIgnoringCase(stored, "ODBC") == std::string_view::npos)
    return std::vector<std::string>{"OLEDB;" + stored};
  const std::size_t fileDsn = findIgnoringCase(stored, "FILEDSN=");
  if (fileDsn == std::string_view::npos) return std::vector<std::string>{"ODBC;" + stored};
  std::string text = "ODBC;" + stored.substr(fileDsn);
  if (text.back() == ';') text.pop_back();
  return text;
}

}  // namespace tavrello
