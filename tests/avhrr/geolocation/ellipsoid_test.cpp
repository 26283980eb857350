// Geodetic coordinates on WGS-84 and where a line of sight meets the surface.
#include "avhrr/geolocation/ellipsoid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kestrova::avhrr {
namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

TEST(Ellipsoid, GeodeticCoordinatesSurviveARoundTrip) {
  // Satellite heights and the ground, at the equator, mid latitudes and on the poles.
  for (double lat : {-90.0, -60.0, -0.5, 0.0, 37.0, 89.999, 90.0}) {
    for (double height : {0.0, 850.0}) {
      const Vec3 p = cartesianFromGeodetic(lat, -123.0, height);
      const GeodeticPosition g = geodeticFromCartesian(p);
      EXPECT_NEAR(g.latitude * kRadToDeg, lat, 1e-9) << lat << " " << height;
      EXPECT_NEAR(g.height, height, 1e-6) << lat << " " << height;
      if (std::abs(lat) < 90) {
        EXPECT_NEAR(g.longitude * kRadToDeg, -123.0, 1e-9);
      }
      if (height == 0) {
        const GeoPoint s = surfacePointToGeo(p);
        EXPECT_NEAR(s.latitude, lat, 1e-9) << lat;
      }
    }
  }
}

TEST(Ellipsoid, LineOfSightMeetsTheNearSideOrMisses) {
  const Vec3 above{0, 0, kWgs84B + 850};
  const auto pole = intersectEllipsoid(above, {0, 0, -1});
  ASSERT_TRUE(pole.has_value());
  EXPECT_NEAR((*pole)[2], kWgs84B, 1e-9);  // the near pole, not the far one
  const Vec3 sideways{kWgs84A + 850, 0, 0};
  const auto equator = intersectEllipsoid(sideways, {-1, 0, 0});
  ASSERT_TRUE(equator.has_value());
  EXPECT_NEAR((*equator)[0], kWgs84A, 1e-9);
  EXPECT_FALSE(intersectEllipsoid(sideways, {0, 1, 0}).has_value());  // past the limb
  EXPECT_FALSE(intersectEllipsoid(sideways, {1, 0, 0}).has_value());  // looking away
}

TEST(Ellipsoid, SurfaceDistanceFollowsTheGreatCircle) {
  EXPECT_NEAR(surfaceDistanceKm({0, 179.5}, {0, -179.5}), 111.2, 0.1);  // across the date line
  EXPECT_NEAR(surfaceDistanceKm({89.5, 0}, {89.5, 180}), 111.2, 0.1);   // across the pole
}

}  // namespace
}  // namespace kestrova::avhrr
