#include "import/grid_limits.h"

#include <cctype>

#include "platform/system/failure.h"

namespace tavrello {
namespace {

struct GridLimits {
  std::int32_t records;       // refused when above
  std::int32_t lastRow;       // first data row + records, refused when above
  std::int32_t fields;        // refused when above
  std::int32_t lastColumn;    // destination column + fields, refused when above
};

constexpr GridLimits kBefore12{65535, 65537, 256, 257};
constexpr GridLimits kVersion12{1048575, 1048577, 16384, 16385};

std::int32_t sum(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_add_overflow(a, b, &result)) throw Failure::overflow();
  return result;
}

std::string tooMany(std::int32_t limit, const char* what) {
  return "Not able to import the data as there are more than " + std::to_string(limit) + " " + what;
}

}  // namespace

double HostVersionNumber(std::string_view version) {
  std::size_t i = 0;
  while (i < version.size() && version[i] == ' ') ++i;
  double number = 0;
  bool any = false;
  for (; i < version.size() && std::isdigit(static_cast<unsigned char>(version[i])); ++i, any = true)
    number = number * 10 + (version[i] - '0');
  if (i < version.size() && version[i] == '.') {
    double scale = 0.1;
    for (++i; i < version.size() && std::isdigit(static_cast<unsigned char>(version[i])); ++i, scale /= 10)
      number += (version[i] - '0') * scale;
  }
  return any ? number : 0;
}

std::optional<std::string> GridLimitRefusal(double version, const ImportExtent& extent) {
  if (version > 12) return std::nullopt;
  const GridLimits& limits = version < 12 ? kBefore12 : kVersion12;
  if (extent.recordCount > limits.records) return tooMany(limits.records, "records");
  if (sum(extent.firstDataRow, extent.recordCount) > limits.lastRow)
    return "Not able to import the data as there are not sufficient available rows (from the selected cell) for the "
           "recordset";
  if (extent.fieldCount > limits.fields) return tooMany(limits.fields, "fields");
  if (sum(extent.destinationColumn, extent.fieldCount) > limits.lastColumn)
    return "Not able to import the data as there are not sufficient available columns (from the selected cell) for "
           "the recordset";
  return std::nullopt;
}

}  // namespace tavrello
