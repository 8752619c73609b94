#include "platform/db/date_serial.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace tavrello::db {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kSerialEpoch = -25569;

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

// A small cursor over the text; every reader fails without moving on a mismatch.
struct Cursor {
  std::string_view s;
  std::size_t i = 0;
  bool done() const { return i == s.size(); }
  bool digits(int count, int& out) {
    if (s.size() - i < static_cast<std::size_t>(count)) return false;
    int v = 0;
    for (int k = 0; k < count; ++k) {
      char c = s[i + k];
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    out = v;
    i += count;
    return true;
  }
  bool literal(char c) {
    if (i < s.size() && s[i] == c) { ++i; return true; }
    return false;
  }
};

bool readDate(Cursor& c, double& serial) {
  int y, m, d;
  if (!c.digits(4, y) || !c.literal('-') || !c.digits(2, m) || !c.literal('-') || !c.digits(2, d)) return false;
  if (m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return false;
  serial = dateSerial(y, m, d);
  return true;
}

bool readTime(Cursor& c, double& fraction) {
  int h, mi, s = 0;
  double sub = 0;
  if (!c.digits(2, h) || !c.literal(':') || !c.digits(2, mi)) return false;
  if (c.literal(':')) {
    if (!c.digits(2, s)) return false;
    if (c.literal('.')) {
      double scale = 0.1;
      std::size_t start = c.i;
      while (!c.done() && c.s[c.i] >= '0' && c.s[c.i] <= '9') {
        sub += (c.s[c.i] - '0') * scale;
        scale /= 10;
        ++c.i;
      }
      if (c.i == start) return false;
    }
  }
  if (h > 23 || mi > 59 || s > 59) return false;
  fraction = timeFraction(h, mi, s + sub);
  return true;
}

}  // namespace

double dateSerial(int year, int month, int day) {
  return static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                             kSerialEpoch);
}

double timeFraction(int hour, int minute, double second) {
  return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

CalendarDay calendarDay(std::int64_t serialDay) {
  // The inverse of daysFromCivil (same source).
  const std::int64_t z = serialDay + kSerialEpoch + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  CalendarDay result;
  result.day = doy - (153 * mp + 2) / 5 + 1;
  result.month = mp < 10 ? mp + 3 : mp - 9;
  result.year = static_cast<std::int64_t>(yoe) + era * 400 + (result.month <= 2);
  return result;
}

std::optional<double> parseSerial(std::string_view text, DataType kind) {
  Cursor c{text};
  double date = 0, time = 0;
  switch (kind) {
    case DataType::Date:
      if (!readDate(c, date)) return std::nullopt;
      break;
    case DataType::Time:
      if (!readTime(c, time)) return std::nullopt;
      break;
    case DataType::DateTime:
      if (!readDate(c, date)) return std::nullopt;
      if (c.literal(' ') || c.literal('T')) {
        if (!readTime(c, time)) return std::nullopt;
      }
      break;
    default:
      return std::nullopt;
  }
  if (!c.done()) return std::nullopt;
  return date + time;
}

std::string formatSerial(double serial, DataType kind) {
  // Work in whole milliseconds so that 0.999999 of a second never prints as ":60".
  const double totalMs = std::round(serial * 86400000.0);
  std::int64_t days = static_cast<std::int64_t>(std::floor(totalMs / 86400000.0));
  std::int64_t ms = static_cast<std::int64_t>(totalMs - static_cast<double>(days) * 86400000.0);
  char buffer[64];
  std::string out;
  if (kind != DataType::Time) {
    const CalendarDay day = calendarDay(days);
    std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u", static_cast<long long>(day.year), day.month, day.day);
    out = buffer;
  }
  if (kind == DataType::Date) return out;
  if (!out.empty()) out += ' ';
  const int h = static_cast<int>(ms / 3600000), mi = static_cast<int>(ms / 60000 % 60),
            s = static_cast<int>(ms / 1000 % 60), frac = static_cast<int>(ms % 1000);
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", h, mi, s);
  out += buffer;
  if (frac) {
    std::snprintf(buffer, sizeof buffer, ".%03d", frac);
    out += buffer;
  }
  return out;
}

}  // namespace tavrello::db
