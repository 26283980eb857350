// The WGS-84 ellipsoid: geodetic coordinates of Earth-fixed points and where a line of sight
// meets the surface.
#pragma once

#include <optional>

#include "avhrr/orbit/sgp4.h"

namespace kestrova::avhrr {

constexpr double kWgs84A = 6378.137;        // equatorial radius, km
constexpr double kWgs84B = 6356.752314245;  // polar radius, km
constexpr double kWgs84E2 = 1.0 - (kWgs84B * kWgs84B) / (kWgs84A * kWgs84A);

// Geodetic latitude and longitude in degrees; longitude in (-180, 180].
struct GeoPoint {
  double latitude = 0;
  double longitude = 0;
};

struct GeodeticPosition {
  double latitude = 0;   // radians
  double longitude = 0;  // radians
  double height = 0;     // km above the ellipsoid
};

// Any Earth-fixed point (km).
GeodeticPosition geodeticFromCartesian(const Vec3& p);

// A point on the ellipsoid's surface, where the geodetic latitude has a closed form.
GeoPoint surfacePointToGeo(const Vec3& p);

// Earth-fixed position (km) of a geodetic latitude and longitude (degrees) at a height (km).
Vec3 cartesianFromGeodetic(double latitudeDeg, double longitudeDeg, double heightKm = 0);

// The first surface point on the ray origin + s*direction (s > 0); none when the ray misses.
std::optional<Vec3> intersectEllipsoid(const Vec3& origin, const Vec3& direction);

// Great-circle distance in km on a sphere of the mean Earth radius: for checks and messages.
double surfaceDistanceKm(const GeoPoint& a, const GeoPoint& b);

}  // namespace kestrova::avhrr
