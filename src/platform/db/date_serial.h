#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/db/data_type.h"

namespace tavrello::db {

// Dates and times travel as day serials: days since 1899-12-30 as a double,
// the time of day as its fraction. That is the date form of the original
// platform and the serial the spreadsheet stores (equal from 1900-03-01 on, the
// sheet's fictitious 1900-02-29 aside), so the host writes a date cell without
// converting it. Earlier dates are plainly negative (-1.25 is 1899-12-28 18:00).

// Serial of a calendar day; no range checks beyond those of the arguments' types.
double dateSerial(int year, int month, int day);
// Fraction of a day for a time of day; seconds may carry a fraction.
double timeFraction(int hour, int minute, double second);

// The calendar day of a whole day serial (proleptic Gregorian, any year).
struct CalendarDay {
  std::int64_t year = 1899;
  unsigned month = 12, day = 30;
};
CalendarDay calendarDay(std::int64_t serialDay);

// Parses ISO text as the given kind: Date "YYYY-MM-DD"; Time "HH:MM[:SS[.fff]]";
// DateTime "YYYY-MM-DD[ T]HH:MM[:SS[.fff]]" or a plain date (midnight). Returns
// nothing for any other text, an impossible date or time, or trailing text.
std::optional<double> parseSerial(std::string_view text, DataType kind);

// ISO text of a serial: "2024-03-05", "13:45:10", "2024-03-05 13:45:10";
// milliseconds are added (".250") only when there are any.
std::string formatSerial(double serial, DataType kind);

}  // namespace tavrello::db
