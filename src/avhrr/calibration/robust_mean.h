// The mean of the values that agree with their median: one wrong word among the calibration
// views (a bit error in a high bit) moves a plain mean by tens of counts, this not at all.
#pragma once

#include <optional>
#include <span>

namespace kestrova::avhrr {

// Values further from the median than three robust standard deviations (from the median
// absolute deviation), and never less than floor, are left out. None when the values are empty
// or fewer than half of them agree. The values are left reordered and changed.
std::optional<double> robustMean(std::span<double> values, double floor);

}  // namespace kestrova::avhrr
