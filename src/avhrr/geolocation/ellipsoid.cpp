#include "avhrr/geolocation/ellipsoid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestrova::avhrr {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kMeanRadius = 6371.0088;

}  // namespace

GeodeticPosition geodeticFromCartesian(const Vec3& p) {
  const double rho = std::hypot(p[0], p[1]);
  GeodeticPosition out;
  out.longitude = std::atan2(p[1], p[0]);
  // Fixed-point iteration on the latitude; at satellite heights each step gains about three
  // orders of magnitude, so five steps are far below a millimetre.
  double lat = std::atan2(p[2], rho * (1.0 - kWgs84E2));
  double n = kWgs84A;
  for (int i = 0; i < 5; ++i) {
    const double s = std::sin(lat);
    n = kWgs84A / std::sqrt(1.0 - kWgs84E2 * s * s);
    lat = std::atan2(p[2] + n * kWgs84E2 * s, rho);
  }
  out.latitude = lat;
  const double s = std::sin(lat), c = std::cos(lat);
  out.height =
      std::abs(c) > 1e-9 ? rho / c - n : std::abs(p[2]) / std::abs(s) - n * (1.0 - kWgs84E2);
  return out;
}

GeoPoint surfacePointToGeo(const Vec3& p) {
  // On the surface the normal's slope is z / ((1 - e^2) rho) exactly.
  const double rho = std::hypot(p[0], p[1]);
  return {std::atan2(p[2], (1.0 - kWgs84E2) * rho) / kDeg, std::atan2(p[1], p[0]) / kDeg};
}

Vec3 cartesianFromGeodetic(double latitudeDeg, double longitudeDeg, double heightKm) {
  const double lat = latitudeDeg * kDeg, lon = longitudeDeg * kDeg;
  const double s = std::sin(lat), c = std::cos(lat);
  const double n = kWgs84A / std::sqrt(1.0 - kWgs84E2 * s * s);
  return {(n + heightKm) * c * std::cos(lon), (n + heightKm) * c * std::sin(lon),
          (n * (1.0 - kWgs84E2) + heightKm) * s};
}

std::optional<Vec3> intersectEllipsoid(const Vec3& origin, const Vec3& direction) {
  // In coordinates scaled by the axes the ellipsoid is the unit sphere.
  const Vec3 o{origin[0] / kWgs84A, origin[1] / kWgs84A, origin[2] / kWgs84B};
  const Vec3 d{direction[0] / kWgs84A, direction[1] / kWgs84A, direction[2] / kWgs84B};
  const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  const double od = o[0] * d[0] + o[1] * d[1] + o[2] * d[2];
  const double oo = o[0] * o[0] + o[1] * o[1] + o[2] * o[2];
  const double discriminant = od * od - dd * (oo - 1.0);
  if (discriminant < 0 || dd == 0) return std::nullopt;
  const double s = (-od - std::sqrt(discriminant)) / dd;
  if (s <= 0) return std::nullopt;
  return Vec3{origin[0] + s * direction[0], origin[1] + s * direction[1],
              origin[2] + s * direction[2]};
}

double surfaceDistanceKm(const GeoPoint& a, const GeoPoint& b) {
  const double lat1 = a.latitude * kDeg, lat2 = b.latitude * kDeg;
  const double dLat = lat2 - lat1, dLon = (b.longitude - a.longitude) * kDeg;
  const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(lat1) * std::cos(lat2) * std::sin(dLon / 2) * std::sin(dLon / 2);
  return 2.0 * kMeanRadius * std::asin(std::min(1.0, std::sqrt(h)));
}

}  // namespace kestrova::avhrr
