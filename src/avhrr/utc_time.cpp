#include "avhrr/utc_time.h"

namespace kestrova::avhrr {
namespace {

// Days from 1970-01-01 to 1 January of year (proleptic Gregorian).
std::int64_t daysToYear(int year) {
  const std::int64_t y = year - 1;
  const auto leapDaysBefore = [](std::int64_t yy) { return yy / 4 - yy / 100 + yy / 400; };
  return 365 * (y - 1969) + leapDaysBefore(y) - leapDaysBefore(1969);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInYear(int year) {
  return isLeapYear(year) ? 366 : 365;
}

UtcMs utcFromYearDay(int year, int dayOfYear, std::int64_t msOfDay) {
  return (daysToYear(year) + dayOfYear - 1) * kMsPerDay + msOfDay;
}

YearDay yearDayFromUtc(UtcMs t) {
  const std::int64_t day = floorDiv(t, kMsPerDay);
  YearDay out;
  out.msOfDay = t - day * kMsPerDay;
  out.year = 1970 + static_cast<int>(floorDiv(day, 365));
  while (daysToYear(out.year) > day) --out.year;
  while (daysToYear(out.year + 1) <= day) ++out.year;
  out.dayOfYear = static_cast<int>(day - daysToYear(out.year)) + 1;
  return out;
}

double julianDateFromUtc(UtcMs t) {
  constexpr double kJulianDateOf1970 = 2440587.5;
  return kJulianDateOf1970 + static_cast<double>(t) / static_cast<double>(kMsPerDay);
}

}  // namespace kestrova::avhrr
