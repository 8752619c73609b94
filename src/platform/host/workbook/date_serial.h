#pragma once

#include <cstdint>

#include "platform/db/date_serial.h"

namespace tavrello::host {

// Dates as the spreadsheet counts them: whole days since 1899-12-30, the
// fraction the time of day. From 1900-03-01 on this is the number every
// spreadsheet program shows; the file format's fictitious 1900-02-29 makes
// older dates differ by one day in those programs, and dates before 1900 are
// negative numbers they show as plain numbers. The database layer's day serial
// is that same number, so a date cell takes a date field as it comes.
using db::dateSerial;

struct CivilDateTime {
  std::int32_t year = 1899, month = 12, day = 30;
  std::int32_t hour = 0, minute = 0, second = 0;
};

// The calendar date and time of a serial, rounded to the second.
CivilDateTime civilFromSerial(double serial);

}  // namespace tavrello::host
