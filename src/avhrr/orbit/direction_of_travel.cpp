#include "avhrr/orbit/direction_of_travel.h"

#include <algorithm>
#include <cstdint>

namespace kestrova::avhrr {
namespace {

constexpr std::int64_t kMaxSamples = 10'000;
constexpr std::int64_t kMinStepMs = 1'000;

// d/dt of z/|r| has the sign of vz*|r|^2 - z*(r.v); the Earth's turn about z leaves it unchanged,
// and geodetic latitude rises and falls with geocentric latitude.
double latitudeRateSign(const StateVector& s) {
  const Vec3& r = s.position;
  const Vec3& v = s.velocity;
  const double r2 = r[0] * r[0] + r[1] * r[1] + r[2] * r[2];
  const double rv = r[0] * v[0] + r[1] * v[1] + r[2] * v[2];
  return v[2] * r2 - r[2] * rv;
}

}  // namespace

TravelDirection directionAt(const Sgp4& orbit, UtcMs t) {
  return latitudeRateSign(orbit.at(t)) >= 0 ? TravelDirection::Northbound
                                            : TravelDirection::Southbound;
}

TravelDirection directionOfTravel(const Sgp4& orbit, UtcMs start, UtcMs end) {
  if (end < start) std::swap(start, end);
  const std::int64_t span = end - start;
  const std::int64_t steps = std::clamp<std::int64_t>(span / kMinStepMs, 1, kMaxSamples);
  double northboundMs = 0;
  double southboundMs = 0;
  for (std::int64_t i = 0; i < steps; ++i) {
    // Midpoints of equal slices, weighted by the slice length.
    const UtcMs t = start + (2 * i + 1) * span / (2 * steps);
    const double slice = static_cast<double>(span) / static_cast<double>(steps);
    (directionAt(orbit, t) == TravelDirection::Northbound ? northboundMs : southboundMs) += slice;
  }
  if (northboundMs == southboundMs) return directionAt(orbit, start + span / 2);
  return northboundMs > southboundMs ? TravelDirection::Northbound : TravelDirection::Southbound;
}

}  // namespace kestrova::avhrr
