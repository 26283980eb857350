#include "avhrr/synthetic/solar_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kestrova::avhrr {
namespace {

UtcMs at(int year, int dayOfYear, int hour, int minute) {
  return utcFromYearDay(year, dayOfYear, (hour * 60 + minute) * 60'000LL);
}

// Reference angles from an independent implementation of the solar ephemeris.
TEST(SolarPosition, AgreesWithAnIndependentEphemerisToATenthOfADegree) {
  struct Case {
    UtcMs t;
    double lat, lon, elevation, azimuth;
    bool azimuthDefined;
  };
  const Case cases[] = {
      {at(2026, 172, 12, 0), 23.44, 0.0, 89.5753, 0, false},   // June solstice, Sun overhead
      {at(2026, 79, 6, 7), 0.0, 0.0, -0.1376, 90.1386, true},  // equinox sunrise, due east
      {at(2025, 121, 10, 0), 48.85, 2.35, 49.7967, 137.3937, true},
      {at(2024, 289, 3, 30), -33.9, 151.2, 54.4403, 308.8715, true},
      {at(2026, 343, 6, 30), 60.39, 5.32, -12.7770, 113.9422, true},  // winter, before dawn
      {at(2023, 15, 18, 0), 40.0, -105.0, 26.8207, 161.8232, true},
  };
  for (const Case& c : cases) {
    const SunAngles a = solarPosition(c.t, c.lat, c.lon);
    EXPECT_NEAR(a.elevationDeg, c.elevation, 0.1) << c.lat << ", " << c.lon;
    EXPECT_NEAR(a.zenithDeg, 90.0 - c.elevation, 0.1);
    if (c.azimuthDefined) {
      EXPECT_NEAR(a.azimuthDeg, c.azimuth, 0.2) << c.lat << ", " << c.lon;
    }
  }
}

TEST(SolarPosition, DeclinationFollowsTheSeasons) {
  EXPECT_NEAR(sunEphemeris(at(2026, 79, 14, 46)).declinationDeg, 0.0, 0.02);    // March equinox
  EXPECT_NEAR(sunEphemeris(at(2026, 172, 8, 24)).declinationDeg, 23.44, 0.02);  // June solstice
  EXPECT_NEAR(sunEphemeris(at(2026, 355, 20, 50)).declinationDeg, -23.44, 0.02);
}

TEST(SolarPosition, EquationOfTimeReachesItsKnownExtremes) {
  // About -14.2 min in mid-February and +16.4 min early in November.
  EXPECT_NEAR(sunEphemeris(at(2026, 42, 12, 0)).equationOfTimeMin, -14.2, 0.3);
  EXPECT_NEAR(sunEphemeris(at(2026, 307, 12, 0)).equationOfTimeMin, 16.4, 0.3);
}

TEST(SolarPosition, NoonSunStandsSouthAtNorthernMidLatitudes) {
  // Local apparent noon at longitude 0 is 12:00 UTC minus the equation of time.
  const UtcMs meanNoon = at(2025, 200, 12, 0);
  const double eot = sunEphemeris(meanNoon).equationOfTimeMin;
  const auto noon = meanNoon - static_cast<UtcMs>(std::lround(eot * 60'000));
  const SunAngles a = solarPosition(noon, 51.5, 0.0);
  EXPECT_NEAR(a.azimuthDeg, 180.0, 0.1);
  EXPECT_NEAR(a.elevationDeg, 90.0 - 51.5 + sunEphemeris(noon).declinationDeg, 0.01);
}

TEST(SolarPosition, EarthSunDistanceAtPerihelionAndAphelion) {
  EXPECT_NEAR(earthSunDistanceAu(at(2026, 3, 12, 0)), 0.98330, 0.0002);
  EXPECT_NEAR(earthSunDistanceAu(at(2026, 185, 12, 0)), 1.01670, 0.0002);
}

TEST(SolarPosition, CosineOfZenithMatchesTheFullAngles) {
  const SunEphemeris sun = sunEphemeris(at(2026, 100, 9, 15));
  for (double lat : {-70.0, -10.0, 35.0, 80.0})
    for (double lon : {-170.0, -20.0, 60.0, 179.0})
      EXPECT_NEAR(std::acos(cosSolarZenith(sun, lat, lon)) * 180.0 / std::numbers::pi,
                  sunAngles(sun, lat, lon).zenithDeg, 1e-9);
}

}  // namespace
}  // namespace kestrova::avhrr
