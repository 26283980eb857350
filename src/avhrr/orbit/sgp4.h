// The SGP4 orbit model for near-Earth element sets (Spacetrack Report #3 with the corrections of
// Vallado et al. 2006). Weather satellites circle in about 100 minutes; element sets of period
// 225 minutes or more need the deep-space model and are refused.
#pragma once

#include <array>

#include "avhrr/orbit/two_line_elements.h"

namespace kestrova::avhrr {

using Vec3 = std::array<double, 3>;

// Position (km) and velocity (km/s) in the TEME frame of the element set.
struct StateVector {
  Vec3 position{};
  Vec3 velocity{};
};

class Sgp4 {
 public:
  // Throws kestrova::Error for a deep-space or physically impossible element set.
  explicit Sgp4(const TwoLineElements& elements);

  // Throws kestrova::Error when the model breaks down at that time (the orbit has decayed or
  // its eccentricity left the model's range).
  StateVector at(double minutesSinceEpoch) const;
  StateVector at(UtcMs t) const { return at(elements_.minutesSinceEpoch(t)); }

  const TwoLineElements& elements() const { return elements_; }

 private:
  [[noreturn]] void fail(double minutes, const char* cause) const;

  TwoLineElements elements_;
  // Mean elements at epoch (radians, Earth radii, radians per minute), Brouwer mean motion.
  double inclination_ = 0, node0_ = 0, eccentricity_ = 0, perigee0_ = 0, anomaly0_ = 0;
  double meanMotion_ = 0, bstar_ = 0;
  // Secular rates and drag coefficients fixed at initialisation.
  double anomalyRate_ = 0, perigeeRate_ = 0, nodeRate_ = 0, nodeDrag_ = 0;
  double c1_ = 0, c4_ = 0, c5_ = 0, eta_ = 0, omegaDrag_ = 0, anomalyDrag_ = 0, delta0_ = 0;
  double sinAnomaly0_ = 0, d2_ = 0, d3_ = 0, d4_ = 0;
  double t2Coef_ = 0, t3Coef_ = 0, t4Coef_ = 0, t5Coef_ = 0;
  double longPeriodL_ = 0, longPeriodAy_ = 0;
  double cosI_ = 0, sinI_ = 0, threeCos2Minus1_ = 0, oneMinusCos2_ = 0, sevenCos2Minus1_ = 0;
  bool simplifiedDrag_ = false;  // perigee below 220 km: the higher drag terms are left out
};

}  // namespace kestrova::avhrr
