// Latitude and longitude of any pixel between the points of a location grid: four-point Lagrange
// interpolation along and across the lines, done on unit vectors so that the date line and the
// poles need no special care. Across the line the abscissa is the Earth angle a view reaches
// from a nominal 850 km, not the sample number: the ground runs nearly linearly in it, even at
// the steep edges of the scan and beyond the outermost tie points.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "avhrr/geolocation/location_grid.h"

namespace kestrova::avhrr {

class GridInterpolator {
 public:
  explicit GridInterpolator(const LocationGrid& grid);

  // Fractional lines and samples allowed; outside the grid the nearest four points extrapolate.
  // A grid point without a location (NaN, a view past the limb) leaves its neighbours without.
  GeoPoint at(double line, double sample) const;

  // Samples 0 .. out.size()-1 of one line.
  void row(double line, std::span<GeoPoint> out) const;

  // Up to four neighbouring nodes and their Lagrange weights.
  struct Stencil {
    std::size_t first = 0;
    std::size_t count = 0;
    std::array<double, 4> weight{};
  };

 private:
  int width_;
  std::vector<double> lines_;
  std::vector<double> samples_;       // as abscissae
  std::vector<Vec3> vectors_;         // [lineIndex * samples_.size() + sampleIndex]
  std::vector<Stencil> rowStencils_;  // across, for every whole sample of the line
};

}  // namespace kestrova::avhrr
