#include "platform/builder/keywords.h"

#include <algorithm>
#include <array>

#include "platform/builder/text_util.h"

namespace tavrello::builder {

namespace {

// Sorted, for binary search.
constexpr std::array<std::string_view, 70> kReserved = {
    "ALL", "AND", "ANY", "APPLY", "AS", "ASC", "BETWEEN", "BY", "CASE", "CAST", "COLLATE", "CROSS",
    "DESC", "DISTINCT", "DIV", "ELSE", "END", "ESCAPE", "EXCEPT", "EXISTS", "FALSE", "FETCH", "FOR",
    "FROM", "FULL", "GLOB", "GROUP", "HAVING", "ILIKE", "IN", "INNER", "INTERSECT", "INTO", "IS",
    "ISNULL", "JOIN", "LATERAL", "LEFT", "LIKE", "LIMIT", "MATCH", "MOD", "NATURAL", "NOT",
    "NOTNULL", "NULL", "OFFSET", "ON", "OR", "ORDER", "OUTER", "OVER", "REGEXP", "RIGHT", "RLIKE",
    "SELECT", "SIMILAR", "SOME", "THEN", "TOP", "TRUE", "UNION", "UNKNOWN",
    "USING", "VALUES", "WHEN", "WHERE", "WINDOW", "WITH", "XOR"};

constexpr std::array<std::string_view, 36> kUpperCasedFunctions = {
    "AVG", "CAST", "CEILING", "CHAR_LENGTH", "COALESCE", "CONVERT", "COUNT", "COUNT_BIG",
    "CUME_DIST", "DENSE_RANK", "EXTRACT", "FIRST_VALUE", "GREATEST", "GROUPING", "LAG",
    "LAST_VALUE", "LEAD", "LEAST", "LOWER", "MAX", "MIN", "NTH_VALUE", "NTILE", "NULLIF", "OVERLAY",
    "PERCENTILE_CONT", "PERCENTILE_DISC", "PERCENT_RANK", "POSITION", "RANK", "ROW_NUMBER",
    "SUBSTRING", "SUM", "TRIM", "TRY_CAST", "UPPER"};

constexpr std::array<std::string_view, 9> kNiladicValues = {
    "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP", "CURRENT_USER", "LOCALTIME",
    "LOCALTIMESTAMP", "SESSION_USER", "SYSTEM_USER", "USER"};

constexpr std::array<std::string_view, 5> kAggregates = {"AVG", "COUNT", "MAX", "MIN", "SUM"};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& words, std::string_view word) {
  return std::binary_search(words.begin(), words.end(), word);
}

}  // namespace

bool isReservedWord(std::string_view upperWord) { return contains(kReserved, upperWord); }
bool isUpperCasedFunction(std::string_view upperWord) { return contains(kUpperCasedFunctions, upperWord); }
bool isNiladicValue(std::string_view upperWord) { return contains(kNiladicValues, upperWord); }
bool isAggregateFunction(std::string_view upperWord) { return contains(kAggregates, upperWord); }

bool needsQuoting(std::string_view name) {
  if (name.empty()) return true;
  auto wordStart = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!wordStart(name[0])) return true;
  for (char c : name) {
    if (!wordStart(c) && !(c >= '0' && c <= '9') && c != '$') return true;
  }
  std::string upper = toUpper(name);
  return isReservedWord(upper) || isNiladicValue(upper);
}

}  // namespace tavrello::builder
