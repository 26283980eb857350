// The on-board calibration views of a raw pass estimated over a window of lines around each line:
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

// Lines contribute when they hold views and are not fill lines. Each view word is judged by
// itself, not by the TIP parity (which covers other words): a line's value of a view is the mean
// of its samples that agree with their median, and the window's estimate the mean of the line
// values that agree with theirs, so wrong words from bit errors are left out; the three readings
// of a PRT are judged the same way, and the line values of each PRT against its readings over the
// whole pass (a plausible range) and against the others of the window. Windows never cross a gap (a
// fill line, or a time step far from the line rate); channel 3's also never crosses a 3A/3B switch,
// and only 3B lines count towards it. PRT readings are assigned to PRT1..4 by the line's place in
// the cycle that the all-zero reference lines mark, counted from the line times so that lost frames
// do not shift it.
std::vector<LineViews> averageViews(const Pass& pass, int radius);

}  // namespace kestrova::avhrr
