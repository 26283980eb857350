// A location for any pixel of a picture from its tie-point grid.
#pragma once

#include <array>
#include <vector>

#include "avhrr/location/location_file.h"

namespace kestrova::avhrr::inline location_file {

struct GeoPoint {
  double latitude = 0;   // degrees
  double longitude = 0;  // degrees, -180..180
};

// Bilinear between the four surrounding tie points, on unit vectors from the Earth's centre and
// back: the dateline and the poles need no special case, as they would with raw longitudes.
// Pixels beyond the outermost tie rows or columns extend the outermost cell.
class LocationInterpolator {
 public:
  explicit LocationInterpolator(const LocationFileGrid& grid);

  // x = sample, y = line of the picture as stored (after any rotation), 0-based.
  GeoPoint at(double x, double y) const;

 private:
  using Vector = std::array<double, 3>;
  struct Cell {
    std::size_t index;
    double weight;  // of the following tie point; outside 0..1 when extrapolating
  };
  static Cell locate(const std::vector<int>& ticks, double position);

  LocationFileGrid grid_;
  std::vector<Vector> points_;
};

}  // namespace kestrova::avhrr::inline location_file
