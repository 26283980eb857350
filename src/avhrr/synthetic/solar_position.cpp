#include "avhrr/synthetic/solar_position.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestrova::avhrr {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
constexpr double kJ2000 = 2451545.0;

// Angle folded into -180..180.
double signedAngle(double deg) {
  const double a = std::fmod(deg, 360.0);
  if (a > 180.0) return a - 360.0;
  if (a <= -180.0) return a + 360.0;
  return a;
}

double positiveAngle(double deg) {
  const double a = std::fmod(deg, 360.0);
  return a < 0 ? a + 360.0 : a;
}

}  // namespace

SunEphemeris sunEphemeris(UtcMs t) {
  const double jd = julianDateFromUtc(t);
  const double n = jd - kJ2000;  // days from J2000.0, fraction included
  const double meanLongitude = positiveAngle(280.460 + 0.9856474 * n);
  const double meanAnomaly = positiveAngle(357.528 + 0.9856003 * n) * kRadPerDeg;
  const double eclipticLongitude =
      (meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2 * meanAnomaly)) *
      kRadPerDeg;
  const double obliquity = (23.439 - 0.0000004 * n) * kRadPerDeg;

  SunEphemeris sun;
  const double ra =
      std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude), std::cos(eclipticLongitude)) /
      kRadPerDeg;
  sun.rightAscensionDeg = positiveAngle(ra);
  sun.declinationDeg = std::asin(std::sin(obliquity) * std::sin(eclipticLongitude)) / kRadPerDeg;
  // Four minutes of time per degree the true Sun runs ahead of the mean Sun.
  sun.equationOfTimeMin = 4.0 * signedAngle(meanLongitude - sun.rightAscensionDeg);

  // Greenwich mean sidereal time in hours; the day fraction of n carries the UT hours' share of
  // the sidereal excess, so the plain UT hours are added on top.
  const double utHours = (jd + 0.5 - std::floor(jd + 0.5)) * 24.0;
  const double gmstHours = 6.697375 + 0.0657098242 * n + utHours;
  sun.greenwichHourAngleDeg = signedAngle(gmstHours * 15.0 - sun.rightAscensionDeg);
  sun.distanceAu = 1.00014 - 0.01671 * std::cos(meanAnomaly) - 0.00014 * std::cos(2 * meanAnomaly);
  return sun;
}

double cosSolarZenith(const SunEphemeris& sun, double latDeg, double lonDeg) {
  const double lat = latDeg * kRadPerDeg;
  const double dec = sun.declinationDeg * kRadPerDeg;
  const double hourAngle = (sun.greenwichHourAngleDeg + lonDeg) * kRadPerDeg;
  return std::sin(lat) * std::sin(dec) + std::cos(lat) * std::cos(dec) * std::cos(hourAngle);
}

SunAngles sunAngles(const SunEphemeris& sun, double latDeg, double lonDeg) {
  const double lat = latDeg * kRadPerDeg;
  const double dec = sun.declinationDeg * kRadPerDeg;
  const double hourAngle = (sun.greenwichHourAngleDeg + lonDeg) * kRadPerDeg;
  const double cosZenith = std::clamp(cosSolarZenith(sun, latDeg, lonDeg), -1.0, 1.0);
  SunAngles angles;
  angles.zenithDeg = std::acos(cosZenith) / kRadPerDeg;
  angles.elevationDeg = 90.0 - angles.zenithDeg;
  // East and north components of the direction to the Sun in the local horizon.
  const double east = -std::cos(dec) * std::sin(hourAngle);
  const double north =
      std::sin(dec) * std::cos(lat) - std::cos(dec) * std::sin(lat) * std::cos(hourAngle);
  angles.azimuthDeg = positiveAngle(std::atan2(east, north) / kRadPerDeg);
  return angles;
}

SunAngles solarPosition(UtcMs t, double latDeg, double lonDeg) {
  return sunAngles(sunEphemeris(t), latDeg, lonDeg);
}

double earthSunDistanceAu(UtcMs t) {
  return sunEphemeris(t).distanceAu;
}

}  // namespace kestrova::avhrr
