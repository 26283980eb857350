// The Earth's rotation under the orbit: sidereal time and the turn from the inertial frame of the
// orbit model (TEME) to Earth-fixed coordinates. UTC stands in for UT1 (under 0.9 s apart, about
// 0.4 km at the equator); polar motion (some 15 m) is left out.
#pragma once

#include "avhrr/orbit/sgp4.h"

namespace kestrova::avhrr {

constexpr double kEarthRotationRate = 7.292115146706979e-5;  // rad/s, with precession

// Greenwich mean sidereal time (IAU 1982), radians in [0, 2 pi).
double greenwichSiderealTime(UtcMs t);
double greenwichSiderealTime(double julianDateUt1);

// Earth-fixed position of an inertial (TEME) one at sidereal angle gmst.
Vec3 temeToEarthFixed(const Vec3& teme, double gmst);

// Earth-fixed position and velocity relative to the turning Earth.
StateVector temeToEarthFixed(const StateVector& teme, double gmst);

}  // namespace kestrova::avhrr
