#include "avhrr/calibration/robust_mean.h"

#include <algorithm>
#include <cmath>

namespace kestrova::avhrr {
namespace {

// Consistent with the standard deviation of normally distributed values.
constexpr double kMadToSigma = 1.4826;
constexpr double kSigmas = 3;

double medianOf(std::span<double> values) {
  const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), mid, values.end());
  if (values.size() % 2 == 1) return *mid;
  return (*mid + *std::max_element(values.begin(), mid)) / 2;
}

}  // namespace

std::optional<double> robustMean(std::span<double> values, double floor) {
  if (values.empty()) return std::nullopt;
  const double median = medianOf(values);
  // In place, as signed deviations: their sizes give the spread, their signs the mean after.
  for (double& v : values) v -= median;
  const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), mid, values.end(),
                   [](double a, double b) { return std::abs(a) < std::abs(b); });
  const double tolerance = std::max(floor, kSigmas * kMadToSigma * std::abs(*mid));
  double sum = 0;
  std::size_t agreeing = 0;
  for (const double d : values) {
    if (std::abs(d) > tolerance) continue;
    sum += d;
    ++agreeing;
  }
  if (2 * agreeing < values.size()) return std::nullopt;
  return median + sum / static_cast<double>(agreeing);
}

}  // namespace kestrova::avhrr
