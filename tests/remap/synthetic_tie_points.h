// The pass side of the test swaths: tie points and the calibrated picture of a synthetic pass.
#pragma once

#include <vector>

#include "imaging/image.h"

namespace kestrova::testing {

enum class SwathKind {
  Day,               // northbound over Europe, lines as received
  DayTurned,         // the same, turned 180 degrees (north up), as the decoder stores it
  SouthboundArctic,  // southbound from the pole over the Bering Sea, in the midnight sun
  Gac,               // the day pass as GAC: 409 samples of every third line, from tie points
};

struct SwathRequest {
  SwathKind kind = SwathKind::Day;
  double durationSeconds = 240;
  double minutesAfterStart = 0;  // later start along the same orbit
};

struct SyntheticTiePoints {
  long long start = 0, end = 0;  // UTC milliseconds of the first and last line
  std::vector<int> columns, rows;
  std::vector<double> latitude, longitude;  // row by row
  Image picture;                            // as received
};

SyntheticTiePoints syntheticTiePoints(const SwathRequest& request);

}  // namespace kestrova::testing
