#include "avhrr/calibration/planck.h"

#include <cmath>
#include <limits>

namespace kestrova::avhrr {

double planckRadiance(double waveNumber, double kelvin) {
  const double nu3 = waveNumber * waveNumber * waveNumber;
  return kPlanckC1 * nu3 / std::expm1(kPlanckC2 * waveNumber / kelvin);
}

double planckTemperature(double waveNumber, double radiance) {
  if (!(radiance > 0)) return std::numeric_limits<double>::quiet_NaN();
  const double nu3 = waveNumber * waveNumber * waveNumber;
  return kPlanckC2 * waveNumber / std::log1p(kPlanckC1 * nu3 / radiance);
}

double bandRadiance(const ThermalConstants& band, double kelvin) {
  return planckRadiance(band.nu, band.a + band.b * kelvin);
}

double bandTemperature(const ThermalConstants& band, double radiance) {
  return (planckTemperature(band.nu, radiance) - band.a) / band.b;
}

}  // namespace kestrova::avhrr
