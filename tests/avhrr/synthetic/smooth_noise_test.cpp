#include "avhrr/synthetic/smooth_noise.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestrova::avhrr {
namespace {

TEST(SmoothNoise, StaysInRangeAndVariesSmoothly) {
  const SmoothNoise noise(42);
  double lowest = 1, highest = 0;
  for (int i = 0; i < 2000; ++i) {
    const double x = i * 0.0137 - 7.0, y = std::sin(i * 0.01) * 3.0, z = -i * 0.0071;
    const double v = noise.fractal(x, y, z, 4);
    ASSERT_GE(v, 0.0);
    ASSERT_LE(v, 1.0);
    lowest = std::min(lowest, v);
    highest = std::max(highest, v);
    // A step of a thousandth of a feature moves the value by far less than its range.
    EXPECT_LT(std::abs(noise.at(x + 1e-3, y, z) - noise.at(x, y, z)), 0.01);
  }
  EXPECT_GT(highest - lowest, 0.3);  // a field, not a constant
}

TEST(SmoothNoise, SameSeedSameFieldOtherSeedOtherField) {
  const SmoothNoise a(7), b(7), c(8);
  int differing = 0;
  for (int i = 0; i < 100; ++i) {
    const double x = i * 0.37, y = -i * 0.21, z = i * 0.11 - 3.5;
    EXPECT_EQ(a.fractal(x, y, z, 3), b.fractal(x, y, z, 3));
    differing += a.at(x, y, z) != c.at(x, y, z);
  }
  EXPECT_GT(differing, 90);
}

}  // namespace
}  // namespace kestrova::avhrr
