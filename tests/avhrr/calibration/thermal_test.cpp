// Thermal calibration against hand-computed NOAA-18 values, and its inverses.
#include <gtest/gtest.h>

#include <cmath>

#include "avhrr/calibration/calibration_constants.h"
#include "avhrr/calibration/planck.h"
#include "avhrr/calibration/thermal.h"

namespace kestrova::avhrr {
namespace {

const ThermalTable& noaa18() {
  return *constantsFor(satelliteByName("NOAA-18"))->thermal;
}

TEST(ThermalCalibration, Noaa18ReferenceVector) {
  const auto& table = noaa18();
  const std::array<double, 4> expectedPrt{297.2261, 297.3241, 297.2431, 297.2644};
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(table.prt[k].kelvin(400), expectedPrt[k], 1e-4);
  const auto tbb = targetTemperature(table, {400.0, 400.0, 400.0, 400.0});
  ASSERT_TRUE(tbb.has_value());
  EXPECT_NEAR(*tbb, 297.26444, 1e-5);

  const auto& ch4 = *table.channels[1];
  EXPECT_NEAR(ch4.band.a + ch4.band.b * *tbb, 297.28700, 1e-5);
  const auto line = makeViewThermalLine(ch4, *tbb, 990, 400);
  EXPECT_NEAR(line.targetRadiance, 107.85625, 1e-4);
  EXPECT_NEAR(ch4.linear(line.radiance(600)), 69.42024, 1e-4);
  EXPECT_NEAR(line.radiance(600), 70.07832, 1e-4);
  EXPECT_NEAR(line.kelvin(600), 271.4076, 1e-3);
}

// The band-corrected radiance: Planck's law at T* = A + B*T.
TEST(ThermalCalibration, RadianceOfChannel4At300K) {
  const auto& ch4 = *noaa18().channels[1];
  EXPECT_NEAR(bandRadiance(ch4.band, 300), 112.41221, 1e-4);
  EXPECT_NEAR(bandTemperature(ch4.band, 112.41221), 300, 1e-5);
  EXPECT_NEAR(planckRadiance(ch4.band.nu, ch4.band.a + ch4.band.b * 300), 112.41221, 1e-4);
}

TEST(ThermalCalibration, TargetTemperatureLeavesMissingPrtsOut) {
  const auto& table = noaa18();
  const auto three = targetTemperature(table, {400.0, 400.0, std::nullopt, 400.0});
  ASSERT_TRUE(three.has_value());
  const double expected =
      (table.prt[0].kelvin(400) + table.prt[1].kelvin(400) + table.prt[3].kelvin(400)) / 3;
  EXPECT_NEAR(*three, expected, 1e-9);
  EXPECT_FALSE(targetTemperature(table, {}).has_value());
}

TEST(ThermalCalibration, NoTemperatureForRadianceThatIsNotPositive) {
  EXPECT_TRUE(std::isnan(planckTemperature(928.0, 0)));
  EXPECT_TRUE(std::isnan(planckTemperature(928.0, -1)));
}

// Counts -> kelvin -> counts must come back to the same count for every count that has a
// temperature, for every satellite and channel we hold constants for.
TEST(ThermalCalibration, ViewCalibrationRoundTripsEveryCount) {
  for (const auto& satellite : knownSatellites()) {
    const auto* constants = constantsFor(&satellite);
    if (constants == nullptr || !constants->thermal) continue;
    for (const auto& channel : constants->thermal->channels) {
      if (!channel) continue;
      const auto line = makeViewThermalLine(*channel, 290, 990, 380);
      int checked = 0;
      for (int c = 0; c < 1024; ++c) {
        const double kelvin = line.kelvin(c);
        if (std::isnan(kelvin)) continue;
        EXPECT_NEAR(line.counts(kelvin), c, 1e-6) << satellite.name << " count " << c;
        ++checked;
      }
      EXPECT_GT(checked, 900) << satellite.name;
    }
  }
}

TEST(ThermalCalibration, FileCoefficientsRoundTripWithAndWithoutCorrection) {
  const auto& ch4 = *noaa18().channels[1];
  const FileThermalLine klm{{179.0, -0.17, 1.6e-5}, ch4.band, nullptr};
  const FileThermalLine pod{{150.0, -0.15, 0}, ch4.band, &ch4};
  for (const auto* line : {&klm, &pod}) {
    for (int c = 0; c < 1024; c += 7) {
      const double kelvin = line->kelvin(c);
      if (std::isnan(kelvin)) continue;
      EXPECT_NEAR(line->counts(kelvin), c, 1e-6);
    }
  }
  // The correction is applied on top of the file's linear radiance.
  EXPECT_NEAR(pod.radiance(600), ch4.corrected(150.0 - 0.15 * 600), 1e-12);
}

TEST(ThermalCalibration, FileQuadraticOfAViewLineGivesTheSameTemperatures) {
  const auto& ch5 = *noaa18().channels[2];
  const auto line = makeViewThermalLine(ch5, 288.3, 995.2, 371.9);
  const FileThermalLine file{fileCoefficientsFor(line), ch5.band, nullptr};
  for (int c = 0; c < 950; c += 31) EXPECT_NEAR(file.kelvin(c), line.kelvin(c), 1e-9) << c;
}

TEST(ThermalCalibration, PrtPolynomialInverts) {
  for (const auto& prt : noaa18().prt) {
    for (double kelvin : {280.0, 290.5, 300.0, 310.0})
      EXPECT_NEAR(prt.kelvin(prt.counts(kelvin)), kelvin, 1e-9);
  }
}

TEST(ThermalCalibration, FileCoefficientsWithoutSlopeAreUnusable) {
  EXPECT_FALSE(usable(ThermalCoefficients{}));
  EXPECT_FALSE(usable(ThermalCoefficients{5, 0, 0}));
  EXPECT_TRUE(usable(ThermalCoefficients{179, -0.17, 0}));
}

}  // namespace
}  // namespace kestrova::avhrr
