#include "import/query_connection_argument.h"

#include "support/upper_case.h"

namespace tavrello {

host::QueryConnection QueryConnectionArgument(const std::string& stored) {
  // The words are found in any letter case; UCase keeps every byte's place.
  const std::string upper = UCase(stored);
  if (upper.find("ODBC") == std::string::npos) return std::vector<std::string>{"OLEDB;" + stored};
  const std::size_t fileDsn = upper.find("FILEDSN=");
  if (fileDsn == std::string::npos) return std::vector<std::string>{"ODBC;" + stored};
  std::string text = "ODBC;" + stored.substr(fileDsn);
  if (text.back() == ';') text.pop_back();
  return text;
}

}  // namespace tavrello
