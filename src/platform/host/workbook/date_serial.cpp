#include "platform/host/workbook/date_serial.h"

#include <cmath>

namespace tavrello::host {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, std::int32_t& year, std::int32_t& month, std::int32_t& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<std::int32_t>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<std::int32_t>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<std::int32_t>(y + (month <= 2));
}

const std::int64_t kEpoch = daysFromCivil(1899, 12, 30);

}  // namespace

double dateSerial(std::int32_t year, std::int32_t month, std::int32_t day) {
  return static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch);
}

CivilDateTime civilFromSerial(double serial) {
  CivilDateTime result;
  double seconds = std::round(serial * 86400.0);
  auto total = static_cast<std::int64_t>(seconds);
  std::int64_t days = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
  std::int64_t inDay = total - days * 86400;
  civilFromDays(days + kEpoch, result.year, result.month, result.day);
  result.hour = static_cast<std::int32_t>(inDay / 3600);
  result.minute = static_cast<std::int32_t>(inDay / 60 % 60);
  result.second = static_cast<std::int32_t>(inDay % 60);
  return result;
}

}  // namespace tavrello::host
