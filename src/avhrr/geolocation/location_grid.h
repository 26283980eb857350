// Latitude and longitude at a grid of lines and samples of a pass: computed from the orbit for
// raw HRPT, or taken from a Level 1b file's tie points. Any pixel between follows by interpolation.
#pragma once

#include <vector>

#include "avhrr/geolocation/ellipsoid.h"
#include "avhrr/geolocation/orbit_geolocator.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr {

struct LocationGrid {
  int width = kFullWidth;        // samples a line of the pass
  std::vector<int> lines;        // ascending line indexes of the pass
  std::vector<int> samples;      // ascending sample columns
  std::vector<GeoPoint> points;  // [lineIndex * samples.size() + sampleIndex]

  const GeoPoint& at(std::size_t lineIndex, std::size_t sampleIndex) const {
    return points[lineIndex * samples.size() + sampleIndex];
  }
};

// The grid a raw HRPT pass is located on: every line and every 32nd sample keeps the interpolated
// locations within some 20 m of the exact ones, and a 12-minute pass takes some 40 ms.
constexpr int kOrbitGridLineStep = 1;
constexpr int kOrbitGridSampleStep = 32;

// Where sample k (fractional allowed) of a line of that width lies on the full-resolution scan.
double scanPosition(int width, double sample);

// Every lineStep-th line and sampleStep-th sample of the pass, its last line and sample always
// included, each line located at its own time. An error for a pass without lines, or when the
// orbit's elements are more than 60 days from the pass (element_age.h).
LocationGrid locateFromOrbit(const Pass& pass, const OrbitGeolocator& geolocator, int lineStep,
                             int sampleStep);

// The tie points of a Level 1b file, for the lines whose tie points are valid. An error when the
// tie points do not fit the pass or none is valid.
LocationGrid gridFromTiePoints(const Pass& pass);

}  // namespace kestrova::avhrr
