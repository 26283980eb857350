// Planck's law in the units of AVHRR radiances: wave numbers in cm-1, radiance in
// mW m-2 sr-1 cm, temperatures in kelvin.
#pragma once

#include "avhrr/pass.h"

namespace kestrova::avhrr {

constexpr double kPlanckC1 = 1.1910427e-5;  // mW m-2 sr-1 cm4
constexpr double kPlanckC2 = 1.4387752;     // cm K

double planckRadiance(double waveNumber, double kelvin);
// NaN when the radiance is not positive: no temperature emits it.
double planckTemperature(double waveNumber, double radiance);

// The same through a channel's band correction T* = a + b*T.
double bandRadiance(const ThermalConstants& band, double kelvin);
double bandTemperature(const ThermalConstants& band, double radiance);

}  // namespace kestrova::avhrr
