// Instants of the pass as milliseconds since 1970-01-01 00:00 UTC, and the calendar
// conversions the formats need (they count days of year; the orbit model counts Julian days).
#pragma once

#include <cstdint>

namespace kestrova::avhrr {

using UtcMs = std::int64_t;

constexpr std::int64_t kMsPerDay = 86'400'000;

struct YearDay {
  int year = 1970;
  int dayOfYear = 1;  // 1 = 1 January
  std::int64_t msOfDay = 0;
};

bool isLeapYear(int year);
int daysInYear(int year);

// dayOfYear must lie in 1..daysInYear(year) and msOfDay in 0..kMsPerDay-1.
UtcMs utcFromYearDay(int year, int dayOfYear, std::int64_t msOfDay);
YearDay yearDayFromUtc(UtcMs t);

// Julian date (UTC treated as UT1; the difference is below a second).
double julianDateFromUtc(UtcMs t);

}  // namespace kestrova::avhrr
