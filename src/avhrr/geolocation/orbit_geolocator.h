// Where each AVHRR sample of a raw HRPT line looks on the Earth, from the orbit: the satellite's
// state at the sample's own time, the scan in the orbital frame of the inertial velocity, the
// pointing corrections, the WGS-84 surface, and the Earth turned to that instant.
#pragma once

#include <span>

#include "avhrr/geolocation/ellipsoid.h"
#include "avhrr/geolocation/pointing.h"
#include "avhrr/orbit/sgp4.h"

namespace kestrova::avhrr {

class OrbitGeolocator {
 public:
  OrbitGeolocator(const Sgp4& orbit, const PointingCorrection& pointing);

  // One sample (fractional samples allowed) of the line with time code lineTime. Latitude and
  // longitude are NaN when the corrected view misses the Earth.
  GeoPoint locate(UtcMs lineTime, double sample) const;

  // Several samples of one line: one orbit evaluation for the whole line.
  void locateLine(UtcMs lineTime, std::span<const double> samples, std::span<GeoPoint> out) const;

  // The geodetic point under the satellite at t.
  GeoPoint subSatellitePoint(UtcMs t) const;

  const Sgp4& orbit() const { return orbit_; }

 private:
  struct LineState;
  LineState lineState(UtcMs lineTime) const;
  GeoPoint locate(const LineState& line, double sample) const;

  Sgp4 orbit_;
  PointingCorrection pointing_;
  // Rows of the attitude rotation (roll, then pitch, then yaw) in orbital-frame components.
  std::array<Vec3, 3> attitude_{};
};

}  // namespace kestrova::avhrr
