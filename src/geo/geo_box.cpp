#include "geo/geo_box.h"

#include <cmath>

namespace kestrova {

double normalizedLongitude(double lon) {
  double r = std::fmod(lon + 180.0, 360.0);
  if (r < 0) r += 360.0;
  return r - 180.0;
}

double longitudeSpan(const GeoBox& box) {
  double span = box.east - box.west;
  return span < 0 ? span + 360.0 : span;
}

bool longitudesMeet(const GeoBox& box, double lo, double hi) {
  if (box.west <= box.east) return lo <= box.east && hi >= box.west;
  return hi >= box.west || lo <= box.east;  // [west, 180] or [-180, east]
}

}  // namespace kestrova
