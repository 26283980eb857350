// The year of a raw HRPT pass, which its frames do not carry: from a date in the file name, else
// from the orbital elements' epochs, else from the file's modification time.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "avhrr/pass.h"
#include "avhrr/utc_time.h"

namespace kestrova::avhrr::hrpt {

// A date written in a file name as YYYY-MM-DD, YYYYMMDD or NOAA's Dyyddd (first found wins).
std::optional<YearDay> dateInFileName(std::string_view fileName);

struct YearChoice {
  UtcMs time = 0;  // the given day of year and milliseconds, in the chosen year
  YearSource source = YearSource::FileName;
};

// The instant of (dayOfYear, msOfDay) whose year is nearest the file name's date, else nearest
// one of the epochs, else the latest one not after the modification time; none when no source
// gives a year (or none has that day, 366 outside leap years).
std::optional<YearChoice> chooseYear(std::string_view fileName, int dayOfYear, std::int64_t msOfDay,
                                     std::span<const UtcMs> epochs,
                                     std::optional<UtcMs> modificationTime);

}  // namespace kestrova::avhrr::hrpt
