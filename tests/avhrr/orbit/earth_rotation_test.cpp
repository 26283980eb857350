// Sidereal time and the turn into Earth-fixed coordinates.
#include "avhrr/orbit/earth_rotation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kestrova::avhrr {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

TEST(EarthRotation, SiderealTimeMatchesTheTextbookExample) {
  // Vallado, Fundamentals of Astrodynamics, example 3-5: 1992-08-20 12:14 UT1.
  const UtcMs t = utcFromYearDay(1992, 233, (12 * 60 + 14) * 60'000);
  EXPECT_NEAR(greenwichSiderealTime(t) / kDeg, 152.578787810, 1e-6);
  // The example's Julian date is rounded to 0.02 s.
  EXPECT_NEAR(greenwichSiderealTime(2448855.009722) / kDeg, 152.578787810, 1e-4);
  // Before 2000 the whole days are negative; the angle must still land in [0, 2 pi).
  const double early = greenwichSiderealTime(utcFromYearDay(1980, 1, 0));
  EXPECT_GE(early, 0.0);
  EXPECT_LT(early, 2 * std::numbers::pi);
}

TEST(EarthRotation, SiderealDayIsShorterThanTheSolarDay) {
  const UtcMs t = utcFromYearDay(2024, 100, 0);
  const double perDay = greenwichSiderealTime(t + kMsPerDay) - greenwichSiderealTime(t);
  EXPECT_NEAR(std::remainder(perDay, 2 * std::numbers::pi),
              kEarthRotationRate * 86400 - 2 * std::numbers::pi, 1e-6);
}

TEST(EarthRotation, EarthFixedVelocityIsRelativeToTheTurningGround) {
  // A point on the equator at rest in the inertial frame moves west over the ground.
  const StateVector teme{{6378.0, 0, 0}, {0, 0, 0}};
  const StateVector fixed = temeToEarthFixed(teme, std::numbers::pi / 2);
  EXPECT_NEAR(fixed.position[0], 0.0, 1e-9);
  EXPECT_NEAR(fixed.position[1], -6378.0, 1e-9);
  EXPECT_NEAR(fixed.velocity[0], -kEarthRotationRate * 6378.0, 1e-9);
  EXPECT_NEAR(fixed.velocity[1], 0.0, 1e-9);
}

}  // namespace
}  // namespace kestrova::avhrr
