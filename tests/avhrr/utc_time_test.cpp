#include "avhrr/utc_time.h"

#include <gtest/gtest.h>

namespace kestrova::avhrr {
namespace {

TEST(UtcTime, KnownInstantsConvertBothWays) {
  struct Case {
    int year, day;
    std::int64_t ms;
    UtcMs utc;
  };
  const Case cases[] = {
      {1970, 1, 0, 0},
      {2000, 60, 0, 951782400000},          // 29 February 2000
      {2000, 366, 86399999, 978307199999},  // last millisecond of a leap year
      {2025, 1, 43200000, 1735732800000},
      {1969, 365, 0, -86400000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utcFromYearDay(c.year, c.day, c.ms), c.utc) << c.year << "/" << c.day;
    const YearDay back = yearDayFromUtc(c.utc);
    EXPECT_EQ(back.year, c.year);
    EXPECT_EQ(back.dayOfYear, c.day);
    EXPECT_EQ(back.msOfDay, c.ms);
  }
}

TEST(UtcTime, LeapYearsFollowTheGregorianRule) {
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_TRUE(isLeapYear(2024));
  EXPECT_EQ(daysInYear(2023), 365);
}

TEST(UtcTime, JulianDateOfJ2000) {
  EXPECT_DOUBLE_EQ(julianDateFromUtc(utcFromYearDay(2000, 1, 43200000)), 2451545.0);
}

}  // namespace
}  // namespace kestrova::avhrr
