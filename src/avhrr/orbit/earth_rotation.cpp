#include "avhrr/orbit/earth_rotation.h"

#include <cmath>
#include <numbers>

namespace kestrova::avhrr {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kJ2000 = 2451545.0;

// Sidereal seconds of the IAU 1982 polynomial at T Julian centuries from J2000, with the whole
// days taken out so the angle keeps its precision.
double siderealAngle(double wholeDays, double dayFraction) {
  const double t = (wholeDays + dayFraction) / 36525.0;
  const double seconds = 67310.54841 + 8640184.812866 * t + 0.093104 * t * t - 6.2e-6 * t * t * t +
                         // 876600 h * 3600 s of T, taken a day at a time: 86400 s per day.
                         86400.0 * dayFraction;
  const double angle = std::fmod(seconds * kTwoPi / 86400.0, kTwoPi);
  return angle < 0 ? angle + kTwoPi : angle;
}

}  // namespace

double greenwichSiderealTime(double julianDateUt1) {
  const double days = julianDateUt1 - kJ2000;
  const double whole = std::floor(days);
  return siderealAngle(whole, days - whole);
}

double greenwichSiderealTime(UtcMs t) {
  // J2000.0 is 2000-01-01 12:00 UTC (as UT1), 946728000000 ms after 1970.
  constexpr UtcMs kJ2000Ms = 946'728'000'000;
  const UtcMs since = t - kJ2000Ms;
  const UtcMs wholeDays = since >= 0 ? since / kMsPerDay : -((-since + kMsPerDay - 1) / kMsPerDay);
  const double fraction =
      static_cast<double>(since - wholeDays * kMsPerDay) / static_cast<double>(kMsPerDay);
  return siderealAngle(static_cast<double>(wholeDays), fraction);
}

Vec3 temeToEarthFixed(const Vec3& r, double gmst) {
  const double c = std::cos(gmst), s = std::sin(gmst);
  return {c * r[0] + s * r[1], -s * r[0] + c * r[1], r[2]};
}

StateVector temeToEarthFixed(const StateVector& teme, double gmst) {
  StateVector out;
  out.position = temeToEarthFixed(teme.position, gmst);
  const Vec3 v = temeToEarthFixed(teme.velocity, gmst);
  out.velocity = {v[0] + kEarthRotationRate * out.position[1],
                  v[1] - kEarthRotationRate * out.position[0], v[2]};
  return out;
}

}  // namespace kestrova::avhrr
