#include "geo/coastline_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/error.h"

namespace kestrova {
namespace {

std::span<const std::uint8_t> bytes(const std::string& blob) {
  return {reinterpret_cast<const std::uint8_t*>(blob.data()), blob.size()};
}

// Two polylines and a 4 × 2 mask: the north row is land in columns 1-2 (90°W..90°E), the south
// row starts as land and turns to sea at column 3 (90°E).
CoastlineData tinyData() {
  CoastlineData data;
  data.segments = {{SegmentKind::Coast, 3}, {SegmentKind::Border, 2}};
  data.points = {{50'000'000, 0},
                 {51'000'000, 1'000'000},
                 {52'000'000, 2'000'000},
                 {-10'000'000, 175'000'000},
                 {-12'000'000, 179'000'000}};
  data.mask.columns = 4;
  data.mask.rows = 2;
  data.mask.rowCounts = {2, 2};
  data.mask.transitions = {1, 3, 0, 3};
  return data;
}

void expectRejected(const std::string& blob) {
  EXPECT_THROW(CoastlineSet::fromBlob(bytes(blob)), Error);
}

void setU32(std::string& blob, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) blob[at + i] = static_cast<char>(value >> (8 * i));
}

TEST(CoastlineBlob, EncodesAndDecodesTheSameData) {
  const CoastlineData data = tinyData();
  EXPECT_EQ(decodeCoastline(bytes(encodeCoastline(data))), data);
}

TEST(CoastlineBlob, RejectsEveryTruncationAndTrailingBytes) {
  const std::string blob = encodeCoastline(tinyData());
  for (std::size_t size = 0; size < blob.size(); ++size) expectRejected(blob.substr(0, size));
  expectRejected(blob + '\0');
}

TEST(CoastlineBlob, RejectsWrongMagicVersionAndCounts) {
  const std::string good = encodeCoastline(tinyData());
  std::string blob = good;
  blob[0] = 'X';
  expectRejected(blob);
  blob = good;
  setU32(blob, 8, kCoastlineVersion + 1);
  expectRejected(blob);
  for (std::size_t countAt : {12, 16, 24, 28}) {  // segments, points, mask rows, transitions
    blob = good;
    setU32(blob, countAt, 0xFFFFFFFF);
    expectRejected(blob);
  }
  blob = good;
  setU32(blob, 20, 0);  // mask columns
  expectRejected(blob);
}

TEST(CoastlineBlob, RejectsInconsistentContents) {
  auto rejects = [](auto change) {
    CoastlineData data = tinyData();
    change(data);
    expectRejected(encodeCoastline(data));
  };
  rejects([](CoastlineData& d) { d.segments[0].kind = static_cast<SegmentKind>(3); });
  rejects([](CoastlineData& d) { d.segments = {{SegmentKind::Coast, 4}, {SegmentKind::Lake, 1}}; });
  rejects([](CoastlineData& d) { d.segments[1].pointCount = 1; });
  rejects([](CoastlineData& d) { d.points[2].latE6 = 90'000'001; });
  rejects([](CoastlineData& d) { d.points[2].lonE6 = -180'000'001; });
  rejects([](CoastlineData& d) {
    d.mask.rowCounts = {3, 1};
    d.mask.transitions = {1, 3, 2, 3};
  });
  rejects([](CoastlineData& d) { d.mask.transitions[1] = 4; });
  rejects([](CoastlineData& d) { d.mask.transitions[1] = 1; });
  rejects([](CoastlineData& d) { d.mask.rowCounts = {2, 1}; });
}

TEST(CoastlineSetQueries, LandMaskFollowsTransitionsAndWrapsLongitudes) {
  const CoastlineSet set = CoastlineSet::fromBlob(bytes(encodeCoastline(tinyData())));
  EXPECT_FALSE(set.isLand(45, -135));
  EXPECT_TRUE(set.isLand(45, -45));
  EXPECT_TRUE(set.isLand(45, 89.9));
  EXPECT_FALSE(set.isLand(45, 90));
  EXPECT_TRUE(set.isLand(-45, -180));
  EXPECT_FALSE(set.isLand(-45, 135));
  EXPECT_TRUE(set.isLand(-90, 180));  // the edges fall into the last cells, 180° onto -180°
  EXPECT_TRUE(set.isLand(90, -45 + 720));
  EXPECT_THROW(set.isLand(90.5, 0), Error);
  EXPECT_THROW(set.isLand(std::numeric_limits<double>::quiet_NaN(), 0), Error);
}

TEST(CoastlineSetQueries, FindsPolylinesByKindAndBoxAcrossTheDateline) {
  const CoastlineSet set = CoastlineSet::fromBlob(bytes(encodeCoastline(tinyData())));
  EXPECT_EQ(set.segments(SegmentKind::Coast, {60, 40, -10, 10}).size(), 1u);
  EXPECT_EQ(set.segments(SegmentKind::Coast, {60, 40, 1.5, 10}).size(), 1u);  // partly inside
  EXPECT_TRUE(set.segments(SegmentKind::Coast, {60, 40, 3, 10}).empty());
  EXPECT_TRUE(set.segments(SegmentKind::Coast, {49, 40, -10, 10}).empty());
  EXPECT_TRUE(set.segments(SegmentKind::Lake, {90, -90, -180, 180}).empty());
  const auto borders = set.segments(SegmentKind::Border, {0, -20, 178, -170});
  ASSERT_EQ(borders.size(), 1u);
  EXPECT_EQ(borders[0].points.size(), 2u);
  EXPECT_TRUE(set.segments(SegmentKind::Border, {0, -20, 179.5, -170}).empty());
  EXPECT_TRUE(set.segments(SegmentKind::Border, {0, -20, -170, 170}).empty());
}

struct Place {
  const char* name;
  double lat, lon;
};

TEST(BuiltinLandMask, KnowsLandSeaAndLakes) {
  const CoastlineSet& set = CoastlineSet::builtin();
  for (Place land : {Place{"Paris", 48.86, 2.35}, Place{"Madrid", 40.42, -3.70},
                     Place{"Cairo", 30.04, 31.24}, Place{"Chicago", 41.88, -87.63}})
    EXPECT_TRUE(set.isLand(land.lat, land.lon)) << land.name;
  for (Place water : {Place{"North Atlantic", 45, -30}, Place{"Pacific", 0, -150},
                      Place{"Mediterranean", 35, 18}, Place{"Lake Superior", 47.7, -87.5}})
    EXPECT_FALSE(set.isLand(water.lat, water.lon)) << water.name;
}

TEST(BuiltinCoastlines, HoldEveryKindAndShoresEitherSideOfTheDateline) {
  const CoastlineSet& set = CoastlineSet::builtin();
  const GeoBox europe{80, 35, -10, 50};
  for (SegmentKind kind : {SegmentKind::Coast, SegmentKind::Lake, SegmentKind::Border})
    EXPECT_FALSE(set.segments(kind, europe).empty()) << static_cast<int>(kind);

  bool east = false, west = false;
  for (const Segment& s : set.segments(SegmentKind::Coast, {72, 60, 170, -170})) {
    for (const GeoPoint& p : s.points) {
      east = east || (p.lon() > 170 && p.lat() > 60 && p.lat() < 72);
      west = west || (p.lon() < -170 && p.lat() > 60 && p.lat() < 72);
    }
  }
  EXPECT_TRUE(east);
  EXPECT_TRUE(west);
}

}  // namespace
}  // namespace kestrova
