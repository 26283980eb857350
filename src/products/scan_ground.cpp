#include "products/scan_ground.h"

#include <cmath>

#include "avhrr/geolocation/scan_geometry.h"
#include "avhrr/pass.h"

namespace kestrova::products {

double nadirSample(int width) {
  // Inverse of avhrr::scanPosition: GAC sample g lies at 5g + 1.5 of the full scan.
  return width == avhrr::kGacWidth ? (avhrr::kScanCentre - 1.5) / 5.0 : avhrr::kScanCentre;
}

double satelliteZenithRad(double scanAngleRad, double heightKm) {
  const double s = (kEarthRadiusKm + heightKm) / kEarthRadiusKm * std::sin(std::abs(scanAngleRad));
  return std::asin(std::min(s, 1.0));
}

double groundDistanceKm(double scanAngleRad, double heightKm) {
  const double zenith = satelliteZenithRad(scanAngleRad, heightKm);
  return std::copysign(kEarthRadiusKm * (zenith - std::abs(scanAngleRad)), scanAngleRad);
}

double scanAngleForGround(double groundKm, double heightKm) {
  // sin(a + g) = k sin(a) with g the Earth angle gives tan(a) = sin(g) / (k - cos(g)).
  const double g = groundKm / kEarthRadiusKm;
  const double k = (kEarthRadiusKm + heightKm) / kEarthRadiusKm;
  return std::atan2(std::sin(g), k - std::cos(g));
}

}  // namespace kestrova::products
