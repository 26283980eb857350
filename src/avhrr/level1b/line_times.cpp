#include "avhrr/level1b/line_times.h"

#include <cmath>
#include <cstdlib>

#include "avhrr/level1b/level1b_error.h"

namespace kestrova::avhrr::level1b {

std::optional<UtcMs> possibleTime(int year, int dayOfYear, std::int64_t msOfDay) {
  // The first AVHRR flew in 1978.
  if (year < 1978 || year > 2100) return std::nullopt;
  if (dayOfYear < 1 || dayOfYear > daysInYear(year)) return std::nullopt;
  if (msOfDay < 0 || msOfDay >= kMsPerDay) return std::nullopt;
  return utcFromYearDay(year, dayOfYear, msOfDay);
}

double linePeriodMs(DataType type) {
  return type == DataType::Gac ? 500.0 : 1000.0 / 6.0;
}

void assignLineTimes(std::vector<ScanLine>& lines, const std::vector<std::optional<UtcMs>>& stored,
                     double linePeriodMs, const std::string& fileName,
                     std::size_t firstRecordOffset) {
  std::vector<int> good;
  for (int i = 0; i < static_cast<int>(stored.size()); ++i) {
    if (stored[static_cast<std::size_t>(i)]) good.push_back(i);
  }
  if (good.size() * 2 < stored.size()) {
    failAt(fileName, firstRecordOffset,
           "only " + std::to_string(good.size()) + " of " + std::to_string(stored.size()) +
               " records carry a possible time; the data records are damaged or not Level 1b");
  }
  std::size_t next = 0;  // first good index at or after the current line
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    auto& line = lines[static_cast<std::size_t>(i)];
    while (next < good.size() && good[next] < i) ++next;
    if (next < good.size() && good[next] == i) {
      line.time = *stored[static_cast<std::size_t>(i)];
      continue;
    }
    const int after = next < good.size() ? good[next] : -1;
    const int before = next > 0 ? good[next - 1] : -1;
    const int from = before < 0 || (after >= 0 && after - i < i - before) ? after : before;
    line.time = *stored[static_cast<std::size_t>(from)] +
                static_cast<UtcMs>(std::llround((i - from) * linePeriodMs));
    line.quality = LineQuality::Repaired;
  }
}

}  // namespace kestrova::avhrr::level1b
