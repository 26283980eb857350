#include "avhrr/geolocation/orbit_geolocator.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "avhrr/geolocation/scan_geometry.h"
#include "avhrr/orbit/earth_rotation.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kMu = 398600.4418;  // km^3/s^2; only bends the path within one scan
constexpr double kScanSeconds = (kFullWidth - 1) * kSamplePeriodSeconds;

using Matrix = std::array<Vec3, 3>;

Vec3 cross(const Vec3& a, const Vec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vec3 unit(const Vec3& v) {
  const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  return {v[0] / n, v[1] / n, v[2] / n};
}

Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix out{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      out[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
    }
  }
  return out;
}

// Right-handed rotation by angle about coordinate axis (0 = x, 1 = y, 2 = z), acting on vectors.
Matrix rotation(int axis, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const int i = (axis + 1) % 3, j = (axis + 2) % 3;
  Matrix m{};
  m[axis][axis] = 1;
  m[i][i] = c;
  m[j][j] = c;
  m[i][j] = -s;
  m[j][i] = s;
  return m;
}

// Orbital frame as rows x, y, z: z to geodetic nadir, the normal of the ellipsoid through the
// satellite (NOAA's Earth-location algorithm points its nominal scan axis at the subpoint and
// provides for the geodetic one: KLM User's Guide appendix I, amended 2006); y = z x v to the
// right of the flight direction; x = y x z along it. The Earth's turn about the pole leaves
// latitude alone, so the inertial longitude serves.
Matrix orbitalFrame(const Vec3& r, const Vec3& v) {
  const GeodeticPosition g = geodeticFromCartesian(r);
  const double lon = std::atan2(r[1], r[0]);
  const Vec3 z{-std::cos(g.latitude) * std::cos(lon), -std::cos(g.latitude) * std::sin(lon),
               -std::sin(g.latitude)};
  const Vec3 y = unit(cross(z, v));
  return {cross(y, z), y, z};
}

}  // namespace

// The satellite over one scan. The orbital frame turns by some 0.003 degrees during the 51 ms
// scan, so it is computed at both ends and blended; the Earth's turn within the scan is a few
// microradians, taken to first order.
struct OrbitGeolocator::LineState {
  double startSeconds = 0;  // the line's first sample, seconds after time
  UtcMs time = 0;
  StateVector state;
  Vec3 acceleration{};
  Matrix frameStart{}, frameChange{};  // frame at startSeconds, and its change per second
  double cosGmst = 1, sinGmst = 0;     // at time

  // A 51 ms scan needs no more of the orbit than gravity's curve.
  void satelliteAt(double dt, Vec3& r, Vec3& v) const {
    for (int i = 0; i < 3; ++i) {
      r[i] = state.position[i] + dt * (state.velocity[i] + 0.5 * dt * acceleration[i]);
      v[i] = state.velocity[i] + dt * acceleration[i];
    }
  }
};

OrbitGeolocator::OrbitGeolocator(const Sgp4& orbit, const PointingCorrection& pointing)
    : orbit_(orbit), pointing_(pointing) {
  attitude_ = multiply(
      rotation(2, pointing.yawDeg * kDeg),
      multiply(rotation(1, pointing.pitchDeg * kDeg), rotation(0, pointing.rollDeg * kDeg)));
}

OrbitGeolocator::LineState OrbitGeolocator::lineState(UtcMs lineTime) const {
  LineState line;
  const double offset = pointing_.clockOffsetMs;
  const double whole = std::floor(offset);
  line.time = lineTime + static_cast<UtcMs>(whole);
  line.startSeconds = (offset - whole) / 1000.0;
  line.state = orbit_.at(line.time);
  const Vec3& r = line.state.position;
  const double r2 = r[0] * r[0] + r[1] * r[1] + r[2] * r[2];
  const double k = -kMu / (r2 * std::sqrt(r2));
  line.acceleration = {k * r[0], k * r[1], k * r[2]};
  const double gmst = greenwichSiderealTime(line.time);
  line.cosGmst = std::cos(gmst);
  line.sinGmst = std::sin(gmst);

  Vec3 rStart{}, vStart{}, rEnd{}, vEnd{};
  line.satelliteAt(line.startSeconds, rStart, vStart);
  line.satelliteAt(line.startSeconds + kScanSeconds, rEnd, vEnd);
  line.frameStart = orbitalFrame(rStart, vStart);
  const Matrix frameEnd = orbitalFrame(rEnd, vEnd);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      line.frameChange[i][j] = (frameEnd[i][j] - line.frameStart[i][j]) / kScanSeconds;
    }
  }
  return line;
}

GeoPoint OrbitGeolocator::locate(const LineState& line, double sample) const {
  const double sinceStart = sample * kSamplePeriodSeconds;
  const double dt = line.startSeconds + sinceStart;
  Vec3 r{}, v{};
  line.satelliteAt(dt, r, v);

  // The scan direction in the orbital frame, turned by the attitude corrections.
  const double a = scanAngle(sample);
  const double sinA = std::sin(a), cosA = std::cos(a);
  Vec3 local{};
  for (int i = 0; i < 3; ++i) local[i] = attitude_[i][1] * sinA + attitude_[i][2] * cosA;
  Vec3 look{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      look[j] += local[i] * (line.frameStart[i][j] + sinceStart * line.frameChange[i][j]);
    }
  }

  // Into Earth-fixed axes at the sample's own sidereal angle.
  const double turn = kEarthRotationRate * dt;
  const double c = line.cosGmst - line.sinGmst * turn;
  const double s = line.sinGmst + line.cosGmst * turn;
  const Vec3 origin{c * r[0] + s * r[1], -s * r[0] + c * r[1], r[2]};
  const Vec3 direction{c * look[0] + s * look[1], -s * look[0] + c * look[1], look[2]};
  const auto hit = intersectEllipsoid(origin, direction);
  if (!hit) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan};
  }
  return surfacePointToGeo(*hit);
}

GeoPoint OrbitGeolocator::locate(UtcMs lineTime, double sample) const {
  return locate(lineState(lineTime), sample);
}

void OrbitGeolocator::locateLine(UtcMs lineTime, std::span<const double> samples,
                                 std::span<GeoPoint> out) const {
  const LineState line = lineState(lineTime);
  for (std::size_t i = 0; i < samples.size() && i < out.size(); ++i) {
    out[i] = locate(line, samples[i]);
  }
}

GeoPoint OrbitGeolocator::subSatellitePoint(UtcMs t) const {
  const StateVector s = orbit_.at(t);
  const GeodeticPosition g =
      geodeticFromCartesian(temeToEarthFixed(s.position, greenwichSiderealTime(t)));
  return {g.latitude / kDeg, g.longitude / kDeg};
}

}  // namespace kestrova::avhrr
