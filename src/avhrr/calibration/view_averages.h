// The on-board calibration views of a raw pass averaged over a window of lines around each line:
// space and internal-target counts of the emissive channels and the four PRTs' counts.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "avhrr/pass.h"

namespace kestrova::avhrr {

constexpr double kLinePeriodMs = 1000.0 / 6.0;

struct LineViews {
  std::array<std::optional<double>, 4> prtCounts;  // PRT1..4, each absent without readings nearby
  std::array<std::optional<double>, 3> space;      // 3B (POD: 3), 4, 5
  std::array<std::optional<double>, 3> target;
};

// Lines contribute when they hold views, are not fill lines and passed the TIP parity check.
// Windows never cross a gap (a fill line, or a time step far from the line rate); channel 3's
// also never crosses a 3A/3B switch, and only 3B lines count towards it. PRT readings are
// assigned to PRT1..4 by the line's place in the cycle that the all-zero reference lines mark,
// counted from the line times so that lost frames do not shift it.
std::vector<LineViews> averageViews(const Pass& pass, int radius);

}  // namespace kestrova::avhrr
