// Where the remapper puts a swath: every covered pixel checked against the exact location
// (the location file's interpolator and the projection, pixel by pixel), no holes, no tears.
#include <gtest/gtest.h>

#include <cmath>

#include "avhrr/location/location_interpolator.h"
#include "remap/swath_remap.h"
#include "remap/synthetic_swath.h"
#include "remap/triangle_raster.h"

namespace kestrova::remap {
namespace {

using testing::SwathKind;

struct Case {
  const char* name;
  testing::SwathRequest swath;
  Projection projection;
  GeoBox box;
};

// Two orbits on, the Arctic pass crosses 180 degrees over Chukotka and the Bering Sea.
constexpr testing::SwathRequest kBering{SwathKind::SouthboundArctic, 360, 2 * 101.94};

const Case kCases[] = {
    {"DayPolarEurope", {SwathKind::Day}, Projection::Polar, {80, 35, -10, 50}},
    {"DayTurnedLinearEurope", {SwathKind::DayTurned}, Projection::Linear, {80, 35, -10, 50}},
    {"DayMercatorEurope", {SwathKind::Day}, Projection::Mercator, {80, 35, -10, 50}},
    {"GacPolarEurope", {SwathKind::Gac}, Projection::Polar, {80, 35, -10, 50}},
    {"BeringLinearAcross180", kBering, Projection::Linear, {65, 47, 153, 185}},
    {"BeringMercatorAcross180", kBering, Projection::Mercator, {65, 47, 153, 185}},
    {"ArcticPolarPoleInside",
     {SwathKind::SouthboundArctic},
     Projection::Polar,
     {90, 60, -180, 180}},
};

class SwathGeometry : public ::testing::TestWithParam<Case> {};

// Every covered pixel's picture position, located exactly and projected, lands within a quarter
// of a pixel of the pixel's centre; and every picture pixel's own centre, projected, lands on a
// covered pixel unless it is at the swath's very edge (no holes, no torn cells left out).
TEST_P(SwathGeometry, CoveredPixelsAreWhereTheLocationFileSaysAndLeaveNoHoles) {
  const Case& c = GetParam();
  const auto& swath = testing::syntheticSwath(c.swath);
  const MapView view(c.projection, c.box, 800, 600);
  const avhrr::LocationInterpolator where(swath.grid);
  const std::vector<MeshTriangle> mesh = buildSwathMesh(swath.grid, view);

  std::vector<std::uint8_t> covered(800 * 600, 0);
  double worst = 0;
  std::int64_t count = 0;
  for (const MeshTriangle& t : mesh) {
    rasterise(t, 800, 0, 600, [&](const PixelSpan& span) {
      for (int x = span.x0; x < span.x1; ++x) {
        const double s = span.sample + (x - span.x0) * span.dSample;
        const double l = span.line + (x - span.x0) * span.dLine;
        const avhrr::GeoPoint p = where.at(s, l);
        const auto exact = view.toPixel({p.latitude, p.longitude});
        ASSERT_TRUE(exact) << x << " " << span.y;
        worst = std::max(worst, std::hypot(exact->x - (x + 0.5), exact->y - (span.y + 0.5)));
        EXPECT_EQ(covered[span.y * 800 + x]++, 0) << "covered twice: " << x << " " << span.y;
        ++count;
      }
    });
  }
  EXPECT_LE(worst, 0.25);
  EXPECT_GT(count, 20000);

  // Picture pixels closer to the picture's edge than two output pixels may fall on an output
  // pixel whose centre lies just outside the swath.
  const int mid = swath.grid.width / 2, midLine = swath.grid.height / 2;
  const avhrr::GeoPoint p0 = where.at(mid, midLine), p1 = where.at(mid + 1, midLine);
  const auto q0 = view.toPixel({p0.latitude, p0.longitude});
  const auto q1 = view.toPixel({p1.latitude, p1.longitude});
  const int margin = 2 + static_cast<int>(2 / std::hypot(q1->x - q0->x, q1->y - q0->y));
  int holes = 0, inside = 0;
  for (int l = margin; l < swath.grid.height - margin; ++l) {
    for (int s = margin; s < swath.grid.width - margin; ++s) {
      const avhrr::GeoPoint p = where.at(s, l);
      const auto q = view.toPixel({p.latitude, p.longitude});
      if (!q || q->x < 0 || q->y < 0 || q->x >= 800 || q->y >= 600) continue;
      ++inside;
      holes += covered[int(q->y) * 800 + int(q->x)] == 0;
    }
  }
  EXPECT_GT(inside, 1000);
  EXPECT_EQ(holes, 0);
}

INSTANTIATE_TEST_SUITE_P(Remap, SwathGeometry, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrova::remap
