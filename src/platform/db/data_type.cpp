#include "platform/db/data_type.h"

namespace tavrello::db {

std::string_view typeName(DataType type) {
  switch (type) {
    case DataType::Null: return "null";
    case DataType::Integer: return "integer";
    case DataType::Double: return "double";
    case DataType::Decimal: return "decimal";
    case DataType::Text: return "text";
    case DataType::Boolean: return "boolean";
    case DataType::Date: return "date";
    case DataType::Time: return "time";
    case DataType::DateTime: return "date-time";
    case DataType::Binary: return "binary";
  }
  return "unknown";
}

int adoTypeNumber(DataType type) {
  switch (type) {
    case DataType::Null: return 0;
    case DataType::Integer: return 20;
    case DataType::Double: return 5;
    case DataType::Decimal: return 131;
    case DataType::Text: return 202;
    case DataType::Boolean: return 11;
    case DataType::Date: return 133;
    case DataType::Time: return 134;
    case DataType::DateTime: return 135;
    case DataType::Binary: return 204;
  }
  return 0;
}

}  // namespace tavrello::db
