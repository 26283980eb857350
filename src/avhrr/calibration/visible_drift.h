// Visible gains that follow the instrument's ageing: the reflective channels lose sensitivity
// over the years in orbit, so a fixed (pre-launch or one-time) gain reads ever darker. The
// time-dependent calibration of PATMOS-x (Heidinger, Straka, Molling, Sullivan and Wu, 2010:
// "Deriving an inter-sensor consistent calibration for the AVHRR solar reflectance data record",
// Int. J. Remote Sensing 31, 6493-6517; coefficients of its v2017r1 release) gives the slope
// S(t) = S0 (100 + S1 t + S2 t^2) / 100, t in years since launch.
#pragma once

#include <array>
#include <optional>

#include "avhrr/pass.h"
#include "avhrr/satellites.h"

namespace kestrova::avhrr {

// The gains of channels 1, 2 and 3A at instant t; none for a satellite the set does not cover
// (3A none on AVHRR/2, which has no such channel). Dual-gain channels (AVHRR/3) give two segments
// meeting at the gain-switch count.
std::optional<std::array<std::optional<ReflectiveCoefficients>, 3>> timeDependentVisible(
    const Satellite& satellite, UtcMs t);

}  // namespace kestrova::avhrr
