#include "platform/host/workbook/date_serial.h"

#include <cmath>

namespace tavrello::host {

CivilDateTime civilFromSerial(double serial) {
  CivilDateTime result;
  double seconds = std::round(serial * 86400.0);
  auto total = static_cast<std::int64_t>(seconds);
  std::int64_t days = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
  std::int64_t inDay = total - days * 86400;
  const db::CalendarDay day = db::calendarDay(days);
  result.year = static_cast<std::int32_t>(day.year);
  result.month = static_cast<std::int32_t>(day.month);
  result.day = static_cast<std::int32_t>(day.day);
  result.hour = static_cast<std::int32_t>(inDay / 3600);
  result.minute = static_cast<std::int32_t>(inDay / 60 % 60);
  result.second = static_cast<std::int32_t>(inDay % 60);
  return result;
}

}  // namespace tavrello::host
