#include "geo/map_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "base/error.h"

namespace kestrova {
namespace {

constexpr GeoBox kEurope{80, 35, -10, 50}, kUk{65, 45, -15, 5}, kAustralasia{0, -45, 110, 150},
    kKamchatka{65, 47, 153, 171}, kSouthAmerica{15, -25, -80, -40}, kBering{70, 50, 160, -160};
constexpr int kWidth = 800, kHeight = 600;

PixelPoint pixel(const MapView& view, double lat, double lon) {
  const std::optional<PixelPoint> p = view.toPixel({lat, lon});
  EXPECT_TRUE(p.has_value()) << lat << ", " << lon;
  return p.value_or(PixelPoint{-1e9, -1e9});
}

void expectPixel(const MapView& view, double lat, double lon, double x, double y) {
  const PixelPoint p = pixel(view, lat, lon);
  EXPECT_NEAR(p.x, x, 1e-6) << lat << ", " << lon;
  EXPECT_NEAR(p.y, y, 1e-6) << lat << ", " << lon;
}

class EveryProjection : public testing::TestWithParam<Projection> {};

TEST_P(EveryProjection, PixelsSurviveARoundTripThroughLatLon) {
  for (const GeoBox& box : {kEurope, kUk, kAustralasia, kKamchatka, kSouthAmerica, kBering}) {
    const MapView view(GetParam(), box, kWidth, kHeight);
    for (int i = 0; i <= 10; ++i) {
      for (int j = 0; j <= 10; ++j) {
        const PixelPoint start{kWidth * i / 10.0, kHeight * j / 10.0};
        const std::optional<LatLon> geo = view.toLatLon(start);
        ASSERT_TRUE(geo.has_value());
        EXPECT_GE(geo->lon, -180);
        EXPECT_LT(geo->lon, 180);
        const PixelPoint back = pixel(view, geo->lat, geo->lon);
        EXPECT_NEAR(back.x, start.x, 0.01) << box.north << " " << box.west;
        EXPECT_NEAR(back.y, start.y, 0.01) << box.north << " " << box.west;
      }
    }
  }
}

TEST_P(EveryProjection, TheMiddleLongitudeRunsDownTheCanvasMiddle) {
  for (const GeoBox& box : {kEurope, kAustralasia, kBering}) {
    const MapView view(GetParam(), box, kWidth, kHeight);
    const double middle = normalizedLongitude(box.west + longitudeSpan(box) / 2);
    for (double lat : {box.south, (box.north + box.south) / 2, box.north})
      EXPECT_NEAR(pixel(view, lat, middle).x, kWidth / 2.0, 1e-6);
  }
}

INSTANTIATE_TEST_SUITE_P(MapView, EveryProjection,
                         testing::Values(Projection::Polar, Projection::Linear,
                                         Projection::Mercator));

TEST(MapViewLinearAndMercator, BoxCornersAreCanvasCorners) {
  for (Projection projection : {Projection::Linear, Projection::Mercator}) {
    for (const GeoBox& box : {kEurope, kSouthAmerica, kBering}) {
      const MapView view(projection, box, kWidth, kHeight);
      expectPixel(view, box.north, box.west, 0, 0);
      expectPixel(view, box.north, box.east, kWidth, 0);
      expectPixel(view, box.south, box.west, 0, kHeight);
      expectPixel(view, box.south, box.east, kWidth, kHeight);
    }
  }
}

TEST(MapViewLinearAndMercator, LinearIsEvenInLatitudeAndMercatorStretchesTheNorth) {
  const MapView linear(Projection::Linear, kEurope, kWidth, kHeight);
  const MapView mercator(Projection::Mercator, kEurope, kWidth, kHeight);
  EXPECT_NEAR(pixel(linear, 57.5, 20).y, kHeight / 2.0, 1e-6);
  EXPECT_GT(pixel(mercator, 57.5, 20).y, kHeight / 2.0 + 10);
}

TEST(MapViewCrossingTheDateline, IsContinuousAcross180) {
  const MapView view(Projection::Linear, kBering, kWidth, kHeight);
  expectPixel(view, 60, 180, kWidth / 2.0, kHeight / 2.0);
  EXPECT_NEAR(pixel(view, 60, -170).x, kWidth * 0.75, 1e-6);
  EXPECT_NEAR(pixel(view, 60, 170).x, kWidth * 0.25, 1e-6);
  // An east bound past 180 is the same box.
  const MapView past(Projection::Linear, {70, 50, 160, 200}, kWidth, kHeight);
  EXPECT_NEAR(pixel(past, 60, -170).x, kWidth * 0.75, 1e-6);
  const MapView world(Projection::Linear, {90, -90, -180, 180}, kWidth, kHeight);
  expectPixel(world, 0, 0, kWidth / 2.0, kHeight / 2.0);
  EXPECT_NEAR(pixel(world, 0, 179.9).x, kWidth, 0.5);
}

TEST(MapViewPolar, FitsTheBoxOutlineInsideTheCanvas) {
  for (const GeoBox& box : {kEurope, kAustralasia, kKamchatka}) {
    const MapView view(Projection::Polar, box, kWidth, kHeight);
    double xMin = 1e9, xMax = -1e9, yMin = 1e9, yMax = -1e9;
    for (int i = 0; i <= 100; ++i) {
      const double lon = box.west + longitudeSpan(box) * i / 100;
      const double lat = box.south + (box.north - box.south) * i / 100;
      for (LatLon p : {LatLon{box.north, lon}, LatLon{box.south, lon}, LatLon{lat, box.west},
                       LatLon{lat, box.east}}) {
        const PixelPoint q = pixel(view, p.lat, p.lon);
        xMin = std::min(xMin, q.x), xMax = std::max(xMax, q.x);
        yMin = std::min(yMin, q.y), yMax = std::max(yMax, q.y);
      }
    }
    EXPECT_GE(xMin, -1e-6);
    EXPECT_LE(xMax, kWidth + 1e-6);
    EXPECT_GE(yMin, -1e-6);
    EXPECT_LE(yMax, kHeight + 1e-6);
    // Filled along one side, centred along the other.
    EXPECT_TRUE(std::abs(xMax - xMin - kWidth) < 0.5 || std::abs(yMax - yMin - kHeight) < 0.5);
    EXPECT_NEAR((xMin + xMax) / 2, kWidth / 2.0, 0.5);
    EXPECT_NEAR((yMin + yMax) / 2, kHeight / 2.0, 0.5);
  }
}

TEST(MapViewPolar, UsesThePoleOnTheBoxSide) {
  // Parallels are circles about the pole: one above the canvas bows down in the middle, one
  // below bows up.
  const MapView north(Projection::Polar, kEurope, kWidth, kHeight);
  EXPECT_GT(pixel(north, 50, 20).y, pixel(north, 50, -10).y + 10);
  EXPECT_FALSE(north.toPixel({-90, 0}).has_value());

  const MapView south(Projection::Polar, kAustralasia, kWidth, kHeight);
  EXPECT_LT(pixel(south, -20, 130).y, pixel(south, -20, 110).y - 10);
  EXPECT_FALSE(south.toPixel({90, 0}).has_value());
  const PixelPoint pole = pixel(south, -90, 0);
  EXPECT_NEAR(pole.x, kWidth / 2.0, 1e-6);
  EXPECT_GT(pole.y, kHeight);
}

TEST(MapViewCoveredBox, HoldsEveryCanvasPoint) {
  for (Projection projection : {Projection::Polar, Projection::Linear, Projection::Mercator}) {
    for (const GeoBox& box : {kEurope, kAustralasia, kBering, GeoBox{90, 50, -180, 180}}) {
      const MapView view(
          projection == Projection::Mercator && box.north > 85 ? Projection::Linear : projection,
          box, kWidth, kHeight);
      const GeoBox covered = view.coveredBox();
      for (int i = 0; i <= 20; ++i) {
        for (int j = 0; j <= 20; ++j) {
          const LatLon p = view.toLatLon({kWidth * i / 20.0, kHeight * j / 20.0}).value();
          EXPECT_LE(p.lat, covered.north + 1e-9);
          EXPECT_GE(p.lat, covered.south - 1e-9);
          EXPECT_TRUE(longitudesMeet(covered, p.lon, p.lon)) << p.lat << " " << p.lon;
        }
      }
    }
  }
}

TEST(MapViewErrors, NamesAreMatchedWithoutCaseAndOthersRefused) {
  EXPECT_EQ(projectionFromName("lInEaR"), Projection::Linear);
  EXPECT_EQ(projectionFromName("POLAR"), Projection::Polar);
  EXPECT_EQ(projectionFromName("mercator"), Projection::Mercator);
  for (const char* name : {"", "Conic", "Polar ", "Merc"}) {
    try {
      projectionFromName(name);
      ADD_FAILURE() << name;
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), testing::HasSubstr("Polar, Linear or Mercator"));
    }
  }
}

TEST(MapViewErrors, RefusesBadLatitudesBoxesAndCanvases) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  auto refused = [](Projection p, GeoBox box, int width = kWidth, int height = kHeight) {
    EXPECT_THROW(MapView(p, box, width, height), Error)
        << box.north << " " << box.south << " " << box.west << " " << box.east << " " << width
        << "x" << height;
  };
  refused(Projection::Linear, {91, 40, -10, 10});
  refused(Projection::Polar, {60, -90.5, -10, 10});
  refused(Projection::Mercator, {86, 40, -10, 10});
  refused(Projection::Mercator, {60, -85.5, -10, 10});
  refused(Projection::Linear, {nan, 40, -10, 10});
  refused(Projection::Linear, {40, 40, -10, 10});
  refused(Projection::Linear, {30, 40, -10, 10});
  refused(Projection::Linear, {60, 40, 10, 10});
  refused(Projection::Linear, {60, 40, -10, nan});
  refused(Projection::Linear, {60, 40, -180, 185});
  refused(Projection::Polar, {90, -90, -10, 10});  // reaches the far pole
  for (int side : {0, -1, kMaxCanvasSide + 1}) {
    refused(Projection::Linear, {60, 40, -10, 10}, side, kHeight);
    refused(Projection::Linear, {60, 40, -10, 10}, kWidth, side);
  }
  EXPECT_NO_THROW(MapView(Projection::Mercator, {85, -85, -180, 180}, 1, kMaxCanvasSide));
  EXPECT_NO_THROW(MapView(Projection::Polar, {90, 0, -180, 180}, kMaxCanvasSide, 1));
}

}  // namespace
}  // namespace kestrova
