#include "avhrr/geolocation/grid_interpolator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "avhrr/geolocation/scan_geometry.h"

namespace kestrova::avhrr {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

using Stencil = GridInterpolator::Stencil;

Stencil stencil(const std::vector<double>& nodes, double x) {
  const std::size_t n = nodes.size();
  Stencil s;
  s.count = std::min<std::size_t>(4, n);
  // The interval holding x, then one node either side of it where there is room.
  const auto upper = std::upper_bound(nodes.begin(), nodes.end(), x);
  const std::size_t right = static_cast<std::size_t>(upper - nodes.begin());
  const std::size_t left = right == 0 ? 0 : right - 1;
  s.first = left == 0 ? 0 : left - 1;
  s.first = std::min(s.first, n - s.count);
  for (std::size_t k = 0; k < s.count; ++k) {
    double w = 1.0;
    for (std::size_t m = 0; m < s.count; ++m) {
      if (m != k) {
        w *= (x - nodes[s.first + m]) / (nodes[s.first + k] - nodes[s.first + m]);
      }
    }
    s.weight[k] = w;
  }
  return s;
}

// Earth angle from nadir to where a view of sample of a line of width samples meets a sphere,
// from 850 km: asin(k sin a) - a.
double groundAbscissa(int width, double sample) {
  constexpr double k = (6371.0 + 850.0) / 6371.0;
  const double a = scanAngle(scanPosition(width, sample));
  return std::asin(std::clamp(k * std::sin(a), -1.0, 1.0)) - a;
}

Vec3 unitVector(const GeoPoint& p) {
  const double lat = p.latitude * kDeg, lon = p.longitude * kDeg;
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

GeoPoint geoPoint(const Vec3& v) {
  return {std::atan2(v[2], std::hypot(v[0], v[1])) / kDeg, std::atan2(v[1], v[0]) / kDeg};
}

}  // namespace

GridInterpolator::GridInterpolator(const LocationGrid& grid)
    : width_(grid.width), lines_(grid.lines.begin(), grid.lines.end()) {
  // Sample 0 is on the right, so the abscissa falls as samples rise: keep nodes ascending.
  for (int s : grid.samples) samples_.push_back(-groundAbscissa(width_, s));
  for (int s = 0; s < width_; ++s)
    rowStencils_.push_back(stencil(samples_, -groundAbscissa(width_, s)));
  vectors_.reserve(grid.points.size());
  for (const GeoPoint& p : grid.points) vectors_.push_back(unitVector(p));
}

GeoPoint GridInterpolator::at(double line, double sample) const {
  const Stencil along = stencil(lines_, line);
  const Stencil across = stencil(samples_, -groundAbscissa(width_, sample));
  Vec3 v{};
  for (std::size_t i = 0; i < along.count; ++i) {
    for (std::size_t k = 0; k < across.count; ++k) {
      const Vec3& p = vectors_[(along.first + i) * samples_.size() + across.first + k];
      const double w = along.weight[i] * across.weight[k];
      for (int c = 0; c < 3; ++c) v[c] += w * p[c];
    }
  }
  return geoPoint(v);
}

void GridInterpolator::row(double line, std::span<GeoPoint> out) const {
  if (out.empty()) return;
  // First along the lines, once per grid column; then across for every sample.
  const Stencil along = stencil(lines_, line);
  std::vector<Vec3> columns(samples_.size(), Vec3{});
  for (std::size_t i = 0; i < along.count; ++i) {
    const Vec3* source = &vectors_[(along.first + i) * samples_.size()];
    for (std::size_t k = 0; k < samples_.size(); ++k) {
      for (int c = 0; c < 3; ++c) columns[k][c] += along.weight[i] * source[k][c];
    }
  }
  for (std::size_t s = 0; s < out.size(); ++s) {
    const Stencil across = s < rowStencils_.size()
                               ? rowStencils_[s]
                               : stencil(samples_, -groundAbscissa(width_, static_cast<double>(s)));
    Vec3 v{};
    for (std::size_t k = 0; k < across.count; ++k) {
      for (int c = 0; c < 3; ++c) v[c] += across.weight[k] * columns[across.first + k][c];
    }
    out[s] = geoPoint(v);
  }
}

}  // namespace kestrova::avhrr
