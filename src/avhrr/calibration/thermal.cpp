#include "avhrr/calibration/thermal.h"

#include <cmath>
#include <limits>

#include "avhrr/calibration/planck.h"

namespace kestrova::avhrr {

std::optional<double> targetTemperature(const ThermalTable& table,
                                        const std::array<std::optional<double>, 4>& prtCounts) {
  double sum = 0, weights = 0;
  for (std::size_t k = 0; k < prtCounts.size(); ++k) {
    if (!prtCounts[k]) continue;
    sum += table.prtWeights[k] * table.prt[k].kelvin(*prtCounts[k]);
    weights += table.prtWeights[k];
  }
  if (weights <= 0) return std::nullopt;
  return sum / weights;
}

ViewThermalLine makeViewThermalLine(const EmissiveConstants& constants, double targetKelvin,
                                    double spaceCounts, double targetCounts) {
  return {constants, spaceCounts, targetCounts, bandRadiance(constants.band, targetKelvin)};
}

double ViewThermalLine::radiance(double counts) const {
  const double ns = constants.spaceRadiance;
  const double linear =
      ns + (targetRadiance - ns) * (spaceCounts - counts) / (spaceCounts - targetCounts);
  return constants.corrected(linear);
}

double ViewThermalLine::kelvin(double counts) const {
  return bandTemperature(constants.band, radiance(counts));
}

double ViewThermalLine::counts(double kelvin) const {
  const double linear = constants.linear(bandRadiance(constants.band, kelvin));
  const double ns = constants.spaceRadiance;
  return spaceCounts - (linear - ns) * (spaceCounts - targetCounts) / (targetRadiance - ns);
}

double FileThermalLine::radiance(double counts) const {
  const auto& c = coefficients;
  const double n = c.c0 + counts * (c.c1 + counts * c.c2);
  return correction != nullptr ? correction->corrected(n) : n;
}

double FileThermalLine::kelvin(double counts) const {
  return bandTemperature(band, radiance(counts));
}

double FileThermalLine::counts(double kelvin) const {
  double n = bandRadiance(band, kelvin);
  if (correction != nullptr) n = correction->linear(n);
  const auto& c = coefficients;
  if (c.c2 == 0) return (n - c.c0) / c.c1;
  // Of the two roots of c2*C^2 + c1*C + (c0 - N) = 0, the one in the counts' range; written
  // so that it tends to the linear answer as c2 -> 0.
  const double q = n - c.c0;
  const double disc = c.c1 * c.c1 + 4 * c.c2 * q;
  if (disc < 0) return std::numeric_limits<double>::quiet_NaN();
  const double root = std::sqrt(disc);
  return 2 * q / (c.c1 + std::copysign(root, c.c1));
}

ThermalCoefficients fileCoefficientsFor(const ViewThermalLine& line) {
  // N_lin = g0 + g1*C; N_E = b0 + (1 + b1)*N_lin + b2*N_lin^2.
  const double ns = line.constants.spaceRadiance;
  const double g1 = -(line.targetRadiance - ns) / (line.spaceCounts - line.targetCounts);
  const double g0 = ns - g1 * line.spaceCounts;
  const auto [b0, b1, b2] = line.constants.nonlinear;
  return {b0 + (1 + b1) * g0 + b2 * g0 * g0, (1 + b1) * g1 + 2 * b2 * g0 * g1, b2 * g1 * g1};
}

bool usable(const ThermalCoefficients& c) {
  return c.c1 != 0 || c.c2 != 0;
}

}  // namespace kestrova::avhrr
