// The calibration constants of each satellite we can calibrate without a Level 1b file: the
// visible gains used for raw HRPT, and the thermal constants the internal-target method needs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "avhrr/pass.h"
#include "avhrr/satellites.h"

namespace kestrova::avhrr {

// T = d0 + d1*C + d2*C^2 + d3*C^3 + d4*C^4 for one platinum resistance thermometer.
struct PrtPolynomial {
  std::array<double, 5> d{};

  double kelvin(double counts) const;
  double counts(double kelvin) const;  // the inverse, for synthetic passes
};

// One emissive channel: band correction, radiance of space and the non-linear correction
// N_E = N_lin + b0 + b1*N_lin + b2*N_lin^2.
struct EmissiveConstants {
  ThermalConstants band;
  double spaceRadiance = 0;
  std::array<double, 3> nonlinear{};

  double corrected(double linearRadiance) const;
  double linear(double correctedRadiance) const;  // the inverse
};

struct ThermalTable {
  std::array<PrtPolynomial, 4> prt{};
  std::array<double, 4> prtWeights{0.25, 0.25, 0.25, 0.25};
  std::array<std::optional<EmissiveConstants>, 3> channels;  // 3B (POD: 3), 4, 5
};

struct SatelliteConstants {
  std::string_view satellite;
  std::array<std::optional<ReflectiveCoefficients>, 3> reflective;  // 1, 2, 3A
  std::optional<ThermalTable> thermal;
};

// Our table's entry as it stands: visible gains fixed (pre-launch, or where we found none the last
// operational update; see each entry's sources). nullptr when we hold no constants for the
// satellite (or it is unknown).
const SatelliteConstants* constantsFor(const Satellite* satellite);

enum class VisibleCalibration : std::uint8_t {
  TimeDependent,  // the gains follow the instrument's ageing (visible_drift.h), where known
  Fixed,          // the table's fixed gains
};

// The constants a pass recorded at instant t is calibrated with: the table's entry, its visible
// gains replaced by the time-dependent ones for the satellites that set covers (unless Fixed is
// asked for). None when we hold nothing for the satellite (or it is unknown).
std::optional<SatelliteConstants> constantsAt(
    const Satellite* satellite, UtcMs t,
    VisibleCalibration visible = VisibleCalibration::TimeDependent);

}  // namespace kestrova::avhrr
