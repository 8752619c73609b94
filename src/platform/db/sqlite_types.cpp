#include "platform/db/sqlite_types.h"

#include <string>

namespace tavrello::db {

DataType sqliteDeclaredType(std::string_view declared) {
  std::string upper(declared);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  auto has = [&](const char* part) { return upper.find(part) != std::string::npos; };
  if (has("BOOL")) return DataType::Boolean;
  if (has("DATETIME") || has("TIMESTAMP")) return DataType::DateTime;
  if (has("DATE")) return DataType::Date;
  if (has("TIME")) return DataType::Time;
  if (has("INT")) return DataType::Integer;
  if (has("CHAR") || has("CLOB") || has("TEXT")) return DataType::Text;
  if (has("BLOB") || has("BINARY")) return DataType::Binary;
  if (has("REAL") || has("FLOA") || has("DOUB")) return DataType::Double;
  if (has("DEC") || has("NUMERIC")) return DataType::Decimal;
  return DataType::Null;
}

}  // namespace tavrello::db
