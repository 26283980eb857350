// Multi-satellite element files (title line, then the two element lines, repeated) and the choice
// of the set that fits a satellite and an instant best.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "avhrr/orbit/two_line_elements.h"
#include "avhrr/satellites.h"

namespace kestrova::avhrr {

// Reads every set of the text; title lines are optional. Any line that is neither a title nor a
// valid element line is an error naming the file and the line.
std::vector<TwoLineElements> parseElementSets(std::string_view text, std::string_view fileName);

// Reads a file of element sets; an unreadable or empty file is an error.
std::vector<TwoLineElements> readElementSets(const std::string& path);

// Which satellite to look for: its catalogue number, or else its name as the title lines give it
// ("NOAA 19", "NOAA-19 [+]" and "noaa19" all match "NOAA-19").
struct SatelliteKey {
  int catalogueNumber = 0;  // 0: match by name only
  std::string name;

  static SatelliteKey of(const Satellite& satellite);
};

// The set of that satellite whose epoch lies nearest to t; an error naming the file when the file
// holds none for it.
const TwoLineElements& nearestElements(const std::vector<TwoLineElements>& sets,
                                       const SatelliteKey& key, UtcMs t, std::string_view fileName);

// The year that puts a day of year (and time of day) nearest an epoch of the satellite's element
// sets, for data that carry no year of their own (raw HRPT). None when no set is for the
// satellite.
std::optional<int> yearNearestEpoch(const std::vector<TwoLineElements>& sets,
                                    const SatelliteKey& key, int dayOfYear, std::int64_t msOfDay);

}  // namespace kestrova::avhrr
