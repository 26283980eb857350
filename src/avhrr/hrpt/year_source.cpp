#include "avhrr/hrpt/year_source.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <string>

namespace kestrova::avhrr::hrpt {
namespace {

constexpr int kFirstYear = 1978;  // the first AVHRR
constexpr int kLastYear = 2099;

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The number in s[at, at + count) when every character there is a digit.
std::optional<int> digitsAt(std::string_view s, std::size_t at, std::size_t count) {
  if (at + count > s.size()) return std::nullopt;
  int v = 0;
  for (std::size_t k = at; k < at + count; ++k) {
    if (!isDigit(s[k])) return std::nullopt;
    v = v * 10 + (s[k] - '0');
  }
  return v;
}

bool digitBoundary(std::string_view s, std::size_t begin, std::size_t end) {
  return (begin == 0 || !isDigit(s[begin - 1])) && (end >= s.size() || !isDigit(s[end]));
}

std::optional<YearDay> fromCalendar(std::optional<int> year, std::optional<int> month,
                                    std::optional<int> day) {
  if (!year || !month || !day || *year < kFirstYear || *year > kLastYear || *month < 1 ||
      *month > 12 || *day < 1) {
    return std::nullopt;
  }
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int dayOfYear = *day;
  for (int m = 1; m < *month; ++m) dayOfYear += kDays[static_cast<std::size_t>(m - 1)];
  const int monthDays =
      kDays[static_cast<std::size_t>(*month - 1)] + (*month == 2 && isLeapYear(*year) ? 1 : 0);
  if (*day > monthDays) return std::nullopt;
  if (*month > 2 && isLeapYear(*year)) ++dayOfYear;
  return YearDay{*year, dayOfYear, 0};
}

std::optional<YearDay> dashedDate(std::string_view s, std::size_t at) {
  if (at + 10 > s.size() || s[at + 4] != '-' || s[at + 7] != '-' ||
      !digitBoundary(s, at, at + 10)) {
    return std::nullopt;
  }
  return fromCalendar(digitsAt(s, at, 4), digitsAt(s, at + 5, 2), digitsAt(s, at + 8, 2));
}

// Eight digits at the start of a run of digits (a time may follow: 20240101123456).
std::optional<YearDay> compactDate(std::string_view s, std::size_t at) {
  if (at > 0 && isDigit(s[at - 1])) return std::nullopt;
  return fromCalendar(digitsAt(s, at, 4), digitsAt(s, at + 4, 2), digitsAt(s, at + 6, 2));
}

// NOAA data set names: D, two-digit year (70-99 the 1900s), day of year.
std::optional<YearDay> noaaDate(std::string_view s, std::size_t at) {
  if (s[at] != 'D' || !digitBoundary(s, at + 1, at + 6)) return std::nullopt;
  const auto yy = digitsAt(s, at + 1, 2);
  const auto ddd = digitsAt(s, at + 3, 3);
  if (!yy || !ddd) return std::nullopt;
  const int year = *yy >= 70 ? 1900 + *yy : 2000 + *yy;
  if (*ddd < 1 || *ddd > daysInYear(year)) return std::nullopt;
  return YearDay{year, *ddd, 0};
}

using DateForm = std::optional<YearDay> (*)(std::string_view, std::size_t);
constexpr std::array<DateForm, 3> kDateForms{dashedDate, compactDate, noaaDate};

// The instant of the day in year, when the year has it.
std::optional<UtcMs> inYear(int year, int dayOfYear, std::int64_t msOfDay) {
  if (dayOfYear < 1 || dayOfYear > daysInYear(year)) return std::nullopt;
  return utcFromYearDay(year, dayOfYear, msOfDay);
}

std::optional<UtcMs> nearest(UtcMs reference, int dayOfYear, std::int64_t msOfDay) {
  std::optional<UtcMs> best;
  const int y = yearDayFromUtc(reference).year;
  for (const int year : {y - 1, y, y + 1}) {
    const auto t = inYear(year, dayOfYear, msOfDay);
    if (t && (!best || std::llabs(*t - reference) < std::llabs(*best - reference))) best = t;
  }
  return best;
}

// A file is written during or after its pass; a day's grace for clocks and time zones.
std::optional<UtcMs> latestNotAfter(UtcMs modified, int dayOfYear, std::int64_t msOfDay) {
  const int y = yearDayFromUtc(modified).year;
  for (const int year : {y + 1, y, y - 1, y - 2, y - 3, y - 4}) {
    const auto t = inYear(year, dayOfYear, msOfDay);
    if (t && *t <= modified + kMsPerDay) return t;
  }
  return std::nullopt;
}

}  // namespace

std::optional<YearDay> dateInFileName(std::string_view fileName) {
  for (const DateForm form : kDateForms) {
    for (std::size_t at = 0; at < fileName.size(); ++at) {
      if (const auto date = form(fileName, at)) return date;
    }
  }
  return std::nullopt;
}

std::optional<YearChoice> chooseYear(std::string_view fileName, int dayOfYear, std::int64_t msOfDay,
                                     std::span<const UtcMs> epochs,
                                     std::optional<UtcMs> modificationTime) {
  if (const auto date = dateInFileName(fileName)) {
    const UtcMs named = utcFromYearDay(date->year, date->dayOfYear, kMsPerDay / 2);
    if (const auto t = nearest(named, dayOfYear, msOfDay)) {
      return YearChoice{*t, YearSource::FileName};
    }
  }
  std::optional<UtcMs> best;
  std::int64_t bestDistance = 0;
  for (const UtcMs epoch : epochs) {
    const auto t = nearest(epoch, dayOfYear, msOfDay);
    if (t && (!best || std::llabs(*t - epoch) < bestDistance)) {
      best = t;
      bestDistance = std::llabs(*t - epoch);
    }
  }
  if (best) return YearChoice{*best, YearSource::OrbitalElements};
  if (modificationTime) {
    if (const auto t = latestNotAfter(*modificationTime, dayOfYear, msOfDay)) {
      return YearChoice{*t, YearSource::FileModificationTime};
    }
  }
  return std::nullopt;
}

}  // namespace kestrova::avhrr::hrpt
