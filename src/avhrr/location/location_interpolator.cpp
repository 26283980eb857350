#include "avhrr/location/location_interpolator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestrova::avhrr::inline location_file {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

std::array<double, 3> unitVector(double lat, double lon) {
  const double phi = lat * kDegree, lambda = lon * kDegree;
  return {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
}

}  // namespace

LocationInterpolator::LocationInterpolator(const LocationFileGrid& grid) : grid_(grid) {
  points_.reserve(grid.latitude.size());
  for (std::size_t i = 0; i < grid.latitude.size(); ++i)
    points_.push_back(unitVector(grid.latitude[i], grid.longitude[i]));
}

LocationInterpolator::Cell LocationInterpolator::locate(const std::vector<int>& ticks,
                                                        double position) {
  // The interval holding the position, or the outermost one for positions beyond the grid.
  const auto upper = std::upper_bound(ticks.begin() + 1, ticks.end() - 1, position);
  const auto index = static_cast<std::size_t>(upper - ticks.begin()) - 1;
  const double from = ticks[index], to = ticks[index + 1];
  return {index, (position - from) / (to - from)};
}

GeoPoint LocationInterpolator::at(double x, double y) const {
  if (grid_.orientation == Orientation::Rotated180) {
    x = grid_.width - 1 - x;
    y = grid_.height - 1 - y;
  }
  const Cell column = locate(grid_.columns, x);
  const Cell row = locate(grid_.rows, y);
  const std::size_t nc = grid_.columns.size();
  const auto& p00 = points_[row.index * nc + column.index];
  const auto& p01 = points_[row.index * nc + column.index + 1];
  const auto& p10 = points_[(row.index + 1) * nc + column.index];
  const auto& p11 = points_[(row.index + 1) * nc + column.index + 1];
  const double u = column.weight, w = row.weight;
  Vector v{};
  for (int k = 0; k < 3; ++k) {
    v[k] = (1 - w) * ((1 - u) * p00[k] + u * p01[k]) + w * ((1 - u) * p10[k] + u * p11[k]);
  }
  const double horizontal = std::hypot(v[0], v[1]);
  if (horizontal == 0 && v[2] == 0) {
    // Only corners on opposite sides of the Earth cancel out; take the nearest corner.
    const auto& nearest = (u < 0.5) ? (w < 0.5 ? p00 : p10) : (w < 0.5 ? p01 : p11);
    v = nearest;
  }
  return {std::atan2(v[2], std::hypot(v[0], v[1])) / kDegree, std::atan2(v[1], v[0]) / kDegree};
}

}  // namespace kestrova::avhrr::inline location_file
