#include "avhrr/calibration/reflective.h"

#include <algorithm>

namespace kestrova::avhrr {

double albedoFromCounts(const ReflectiveCoefficients& c, double counts) {
  return counts <= c.intersection ? c.slope1 * counts + c.intercept1
                                  : c.slope2 * counts + c.intercept2;
}

double countsFromAlbedo(const ReflectiveCoefficients& c, double albedo) {
  const double low = (albedo - c.intercept1) / c.slope1;
  if (low <= c.intersection) return low;
  // Where the segments overlap at the switch either count is right; where they leave a gap, the
  // albedo cannot be produced and the switch count comes nearest.
  return std::max((albedo - c.intercept2) / c.slope2, c.intersection);
}

bool usable(const ReflectiveCoefficients& c) {
  return c.slope1 > 0 && c.slope2 > 0;
}

}  // namespace kestrova::avhrr
