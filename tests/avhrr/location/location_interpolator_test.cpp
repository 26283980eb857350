// Interpolation on a synthetic swath with the geometry of a polar orbiter: a great circle for the
// track, samples spread across it. Crossing the dateline and passing the pole must cost nothing.
#include "avhrr/location/location_interpolator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kestrova::avhrr {
namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr int kWidth = 2048;
constexpr int kHeight = 1200;

using Vec = std::array<double, 3>;

Vec normalised(Vec v) {
  const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  return {v[0] / n, v[1] / n, v[2] / n};
}

GeoPoint toGeo(const Vec& v) {
  return {std::atan2(v[2], std::hypot(v[0], v[1])) / kDegree, std::atan2(v[1], v[0]) / kDegree};
}

Vec toVec(const GeoPoint& p) {
  const double phi = p.latitude * kDegree, lambda = p.longitude * kDegree;
  return {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
}

double distanceKm(const GeoPoint& a, const GeoPoint& b) {
  const auto u = toVec(a), v = toVec(b);
  const double cross =
      std::hypot(u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]);
  const double dot = u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
  return 6371.0 * std::atan2(cross, dot);
}

// Sample x, line y of a swath whose track runs along a great circle inclined 98.7 degrees, from
// 71 N past 88 N and across the dateline; 2 km per line, about 1500 km either side of the track.
struct Swath {
  Vec e1, e2, normal;
  Swath() {
    const double inclination = 98.7 * kDegree, node = -100 * kDegree;
    normal = {std::sin(inclination) * std::sin(node), -std::sin(inclination) * std::cos(node),
              std::cos(inclination)};
    e1 = {std::cos(node), std::sin(node), 0};
    e2 = {normal[1] * e1[2] - normal[2] * e1[1], normal[2] * e1[0] - normal[0] * e1[2],
          normal[0] * e1[1] - normal[1] * e1[0]};
  }
  GeoPoint at(double x, double y) const {
    const double along = (80 + y * 0.018) * kDegree;
    const double across = (x - 1023.5) * 0.0066 * kDegree;
    Vec v;
    for (int k = 0; k < 3; ++k) {
      const double track = std::cos(along) * e1[k] + std::sin(along) * e2[k];
      v[k] = std::cos(across) * track + std::sin(across) * normal[k];
    }
    return toGeo(normalised(v));
  }
};

LocationFileGrid gridOf(const Swath& swath, Orientation orientation) {
  LocationFileGrid g;
  g.width = kWidth;
  g.height = kHeight;
  g.orientation = orientation;
  for (int c = 24; c < kWidth; c += 40) g.columns.push_back(c);  // Level 1b's tie columns
  for (int r = 0; r < kHeight; r += 20) g.rows.push_back(r);
  g.rows.push_back(kHeight - 1);
  for (int r : g.rows) {
    for (int c : g.columns) {
      const auto p = swath.at(c, r);
      g.latitude.push_back(p.latitude);
      g.longitude.push_back(p.longitude);
    }
  }
  return g;
}

TEST(LocationInterpolator, FollowsTheSwathAcrossTheDatelineAndPastThePole) {
  const Swath swath;
  const LocationInterpolator interpolator(gridOf(swath, Orientation::AsReceived));
  double worst = 0;
  bool crossedDateline = false;
  double northernmost = -90;
  for (int y = 0; y < kHeight; y += 7) {
    for (int x = 0; x < kWidth; x += 13) {
      const auto truth = swath.at(x, y);
      const auto got = interpolator.at(x, y);
      worst = std::max(worst, distanceKm(truth, got));
      ASSERT_LE(std::abs(got.longitude), 180.0);
      crossedDateline = crossedDateline || std::abs(truth.longitude) > 179;
      northernmost = std::max(northernmost, truth.latitude);
    }
  }
  EXPECT_TRUE(crossedDateline);
  EXPECT_GT(northernmost, 85);
  EXPECT_LT(worst, 0.3);  // km; the tie points are 40 samples and 20 lines apart
}

TEST(LocationInterpolator, TiePointsComeBackExactly) {
  const Swath swath;
  const auto grid = gridOf(swath, Orientation::AsReceived);
  const LocationInterpolator interpolator(grid);
  for (std::size_t r = 0; r < grid.rows.size(); r += 5) {
    for (std::size_t c = 0; c < grid.columns.size(); c += 7) {
      const auto got = interpolator.at(grid.columns[c], grid.rows[r]);
      const std::size_t i = r * grid.columns.size() + c;
      EXPECT_LT(distanceKm(got, {grid.latitude[i], grid.longitude[i]}), 1e-6);
    }
  }
}

TEST(LocationInterpolator, RotatedPictureMapsBackToTheReceivedLines) {
  const Swath swath;
  const LocationInterpolator rotated(gridOf(swath, Orientation::Rotated180));
  for (int y : {0, 333, kHeight - 1}) {
    for (int x : {0, 700, kWidth - 1}) {
      const auto truth = swath.at(kWidth - 1 - x, kHeight - 1 - y);
      EXPECT_LT(distanceKm(rotated.at(x, y), truth), 0.3) << x << "," << y;
    }
  }
}

TEST(LocationInterpolator, EdgesBeyondTheOutermostTiePointsExtendTheGrid) {
  // Samples 0-23 and 2025-2047 lie outside the Level 1b tie columns.
  const Swath swath;
  const LocationInterpolator interpolator(gridOf(swath, Orientation::AsReceived));
  for (int x : {0, 10, 2040, kWidth - 1})
    EXPECT_LT(distanceKm(interpolator.at(x, 600), swath.at(x, 600)), 0.5) << x;
}

}  // namespace
}  // namespace kestrova::avhrr
