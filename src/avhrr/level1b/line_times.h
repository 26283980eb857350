// Line times of Level 1b records: which stored times are possible, and times for the lines whose
// stored time is damaged, from their neighbours.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "avhrr/pass.h"

namespace kestrova::avhrr::level1b {

// The instant of a stored year, day of year and millisecond of day, or nothing when impossible.
std::optional<UtcMs> possibleTime(int year, int dayOfYear, std::int64_t msOfDay);

// Gives each line whose stored time was impossible (nullopt in `stored`) the time of the nearest
// good line plus the line period per line between them, and marks it Repaired. Throws Error when
// fewer than half the records carry a possible time: the records are garbage, not a few bad lines.
void assignLineTimes(std::vector<ScanLine>& lines, const std::vector<std::optional<UtcMs>>& stored,
                     double linePeriodMs, const std::string& fileName,
                     std::size_t firstRecordOffset);

// Nominal time between successive records: 1/6 s for full-resolution lines, 1/2 s for GAC.
double linePeriodMs(DataType type);

}  // namespace kestrova::avhrr::level1b
