// Dual-gain albedo and its inverse on every visible set we hold.
#include <gtest/gtest.h>

#include "avhrr/calibration/calibration_constants.h"
#include "avhrr/calibration/reflective.h"

namespace kestrova::avhrr {
namespace {

TEST(ReflectiveCalibration, SwitchesGainAfterTheIntersection) {
  const ReflectiveCoefficients c{0.05448, -2.118, 0.1607, -55.25, 496.43};
  EXPECT_DOUBLE_EQ(albedoFromCounts(c, 496), 0.05448 * 496 - 2.118);
  EXPECT_DOUBLE_EQ(albedoFromCounts(c, 497), 0.1607 * 497 - 55.25);
  // An integral intersection belongs to the low-gain segment.
  const ReflectiveCoefficients n15{0.0568, -2.1874, 0.1633, -54.9928, 496};
  EXPECT_DOUBLE_EQ(albedoFromCounts(n15, 496), 0.0568 * 496 - 2.1874);
  EXPECT_DOUBLE_EQ(albedoFromCounts(n15, 497), 0.1633 * 497 - 54.9928);
}

// Published sets meet within about half a percent at the switch; a mistyped digit does not.
TEST(ReflectiveCalibration, TableSegmentsMeetNearTheSwitch) {
  for (const auto& satellite : knownSatellites()) {
    const auto* constants = constantsFor(&satellite);
    if (constants == nullptr) continue;
    for (const auto& set : constants->reflective) {
      if (!set) continue;
      const double low = set->slope1 * set->intersection + set->intercept1;
      const double high = set->slope2 * set->intersection + set->intercept2;
      EXPECT_NEAR(low, high, 1.0) << satellite.name;
      EXPECT_GT(low, 10) << satellite.name;
      EXPECT_LT(low, 35) << satellite.name;
    }
  }
}

TEST(ReflectiveCalibration, AlbedoToCountsAndBack) {
  for (const auto& satellite : knownSatellites()) {
    const auto* constants = constantsFor(&satellite);
    if (constants == nullptr) continue;
    for (const auto& set : constants->reflective) {
      if (!set) continue;
      for (int c = 0; c < 1024; ++c) {
        const double albedo = albedoFromCounts(*set, c);
        EXPECT_NEAR(albedoFromCounts(*set, countsFromAlbedo(*set, albedo)), albedo, 1e-9)
            << satellite.name << " count " << c;
      }
    }
  }
}

TEST(ReflectiveCalibration, AlbedoInTheGapBetweenSegmentsGivesTheSwitchCount) {
  // Segments that leave a gap: 28.46 % at the switch on low gain, 28.94 % just above it.
  const ReflectiveCoefficients c{0.06158, -2.428, 0.1836, -63.14, 501.54};
  EXPECT_DOUBLE_EQ(countsFromAlbedo(c, 28.7), 501.54);
}

TEST(ReflectiveCalibration, ZeroSlopesMeanNotCalibrated) {
  EXPECT_FALSE(usable(ReflectiveCoefficients{}));
  EXPECT_TRUE(usable(ReflectiveCoefficients{0.05, -2, 0.15, -50, 500}));
}

}  // namespace
}  // namespace kestrova::avhrr
