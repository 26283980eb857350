#include "avhrr/synthetic/scene_row.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

constexpr int kWidth = 2048;

// A line crossing the English Channel and northern France at noon, nadir in the middle.
ScenePoint pointOfSample(double sample) {
  const double across = (sample - 1023.5) / 1023.5;
  return {50.0 + 0.5 * across, 1.0 + 12.0 * across, 55.0 * std::abs(across)};
}

struct Row {
  std::vector<int> columns;
  std::vector<ScenePoint> nodes;
};

Row nodesEvery(int first, int step) {
  Row r;
  for (int s = first; s < kWidth; s += step) r.columns.push_back(s);
  for (int s : r.columns) r.nodes.push_back(pointOfSample(s));
  return r;
}

class SceneRowTest : public ::testing::Test {
 protected:
  Scene scene{SceneOptions{.seed = 2, .cloudCover = 0.3}};
  SunEphemeris sun = sunEphemeris(utcFromYearDay(2025, 172, 12 * 3'600'000LL));
  std::vector<ToaValues> row = std::vector<ToaValues>(kWidth);
};

TEST_F(SceneRowTest, MatchesTheSceneAtNodesAndFollowsItClosely) {
  const Row r = nodesEvery(0, 8);
  sceneRow(scene, sun, r.columns, r.nodes, row);
  for (std::size_t k = 0; k < r.columns.size(); ++k) {
    const ToaValues direct =
        scene.at(sun, r.nodes[k].latDeg, r.nodes[k].lonDeg, r.nodes[k].satelliteZenithDeg);
    EXPECT_EQ(row[r.columns[k]].temperature, direct.temperature);
    EXPECT_EQ(row[r.columns[k]].albedo, direct.albedo);
  }
  // Between nodes the values stay between their neighbours' and, coasts aside, near the scene.
  double error2 = 0, error4 = 0;
  for (int s = 0; s < kWidth; ++s) {
    const int k = std::min<int>(s / 8, static_cast<int>(r.columns.size()) - 2);
    const auto lo = std::minmax(row[r.columns[k]].albedo[1], row[r.columns[k + 1]].albedo[1]);
    if (s <= r.columns.back()) {
      EXPECT_GE(row[s].albedo[1], lo.first - 1e-9);
      EXPECT_LE(row[s].albedo[1], lo.second + 1e-9);
    }
    const ScenePoint p = pointOfSample(s);
    const ToaValues direct = scene.at(sun, p.latDeg, p.lonDeg, p.satelliteZenithDeg);
    error2 += std::abs(row[s].albedo[1] - direct.albedo[1]);
    error4 += std::abs(row[s].temperature[1] - direct.temperature[1]);
  }
  EXPECT_LT(error2 / kWidth, 0.5);  // percent albedo
  EXPECT_LT(error4 / kWidth, 0.3);  // kelvin
}

TEST_F(SceneRowTest, HoldsTheOutermostNodesToTheEdges) {
  const Row r = nodesEvery(24, 40);  // the Level 1b tie points: 24 .. 2024
  sceneRow(scene, sun, r.columns, r.nodes, row);
  for (int s = 0; s < 24; ++s) EXPECT_EQ(row[s].temperature, row[24].temperature);
  for (int s = 2024; s < kWidth; ++s) EXPECT_EQ(row[s].albedo, row[2024].albedo);
}

TEST_F(SceneRowTest, RefusesNodesThatDoNotDescribeTheRow) {
  Row r = nodesEvery(0, 512);
  std::vector<ScenePoint> fewer(r.nodes.begin(), r.nodes.end() - 1);
  EXPECT_THROW(sceneRow(scene, sun, r.columns, fewer, row), Error);
  EXPECT_THROW(sceneRow(scene, sun, {}, {}, row), Error);
  std::swap(r.columns[1], r.columns[2]);
  EXPECT_THROW(sceneRow(scene, sun, r.columns, r.nodes, row), Error);
  const std::vector<int> outside{0, kWidth};
  EXPECT_THROW(sceneRow(scene, sun, outside, std::vector<ScenePoint>(2), row), Error);
}

}  // namespace
}  // namespace kestrova::avhrr
