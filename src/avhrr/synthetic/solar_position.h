// Where the Sun stands: the low-precision solar ephemeris of the Astronomical Almanac as
// Michalsky (1988) gives it, good to about 0.01° in declination and right ascension for
// 1950-2050, ample for scene illumination and for solar angles to 0.1°.
#pragma once

#include "avhrr/utc_time.h"

namespace kestrova::avhrr {

// Everything about the Sun that does not depend on the observer, computed once per instant
// (once per scan line) and shared by all pixels.
struct SunEphemeris {
  double declinationDeg = 0;
  double rightAscensionDeg = 0;      // 0..360
  double equationOfTimeMin = 0;      // apparent minus mean solar time
  double greenwichHourAngleDeg = 0;  // the Sun's hour angle at longitude 0, -180..180
  double distanceAu = 1;             // Earth-Sun distance
};

SunEphemeris sunEphemeris(UtcMs t);

struct SunAngles {
  double zenithDeg = 0;
  double elevationDeg = 0;  // 90 - zenith, geometric (no refraction)
  double azimuthDeg = 0;    // clockwise from north, 0..360
};

SunAngles sunAngles(const SunEphemeris& sun, double latDeg, double lonDeg);
SunAngles solarPosition(UtcMs t, double latDeg, double lonDeg);

// Cosine of the solar zenith angle alone: what the scene needs per pixel, without the azimuth.
double cosSolarZenith(const SunEphemeris& sun, double latDeg, double lonDeg);

double earthSunDistanceAu(UtcMs t);

}  // namespace kestrova::avhrr
