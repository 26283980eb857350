// Two-line orbital elements: one element set, read from its two fixed-column lines with every
// column, value and checksum checked.
#pragma once

#include <string>
#include <string_view>

#include "avhrr/utc_time.h"

namespace kestrova::avhrr {

struct TwoLineElements {
  std::string name;  // the title line above the set, trimmed; empty when there is none
  int catalogueNumber = 0;
  char classification = 'U';
  std::string internationalDesignator;
  int epochYear = 2000;       // four digits
  double epochDay = 1.0;      // day of year with its fraction: 1.0 = 1 January 0h UTC
  double meanMotionDot = 0;   // first derivative / 2, rev/day^2
  double meanMotionDdot = 0;  // second derivative / 6, rev/day^3
  double bstar = 0;           // drag term, 1/Earth radii
  int ephemerisType = 0;
  int elementSetNumber = 0;
  double inclinationDeg = 0;
  double ascendingNodeDeg = 0;
  double eccentricity = 0;
  double argumentOfPerigeeDeg = 0;
  double meanAnomalyDeg = 0;
  double meanMotion = 0;  // rev/day (Kozai)
  int revolutionNumber = 0;

  // The epoch in days since 1970-01-01 0h UTC; keeps the sub-millisecond part of the epoch.
  double epochUnixDays() const;
  UtcMs epochUtc() const;  // rounded to the millisecond
  double minutesSinceEpoch(UtcMs t) const;
};

// Where a set came from, for messages: "weather.txt, line 12".
struct TextPlace {
  std::string_view file;
  int line = 0;  // 1-based number of element line 1
};

// Reads one set. Lines may end in CR or blanks after column 69; anything else is an error naming
// the file, the line, the column and the cause.
TwoLineElements parseTwoLineElements(std::string_view line1, std::string_view line2,
                                     std::string_view name, const TextPlace& place);

// The checksum digit of columns 1-68: digits count their value, '-' counts one.
int tleChecksum(std::string_view line);

}  // namespace kestrova::avhrr
