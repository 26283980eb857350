// Emissive channels (3B, 4, 5): counts to radiance and brightness temperature for one line, from
// the on-board views (internal target and space) or from a Level 1b file's coefficients, and
// back to counts for synthetic passes.
#pragma once

#include <array>
#include <optional>

#include "avhrr/calibration/calibration_constants.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr {

// Internal target temperature from the four PRTs' mean counts, weighted as the table says. A PRT
// without readings leaves its weight to the others; none at all gives no temperature.
std::optional<double> targetTemperature(const ThermalTable& table,
                                        const std::array<std::optional<double>, 4>& prtCounts);

// One line of one channel calibrated by the two-point method: N_lin runs linearly from the
// radiance of space at the space count to the target's radiance at the target count, then the
// non-linear correction applies.
struct ViewThermalLine {
  EmissiveConstants constants;
  double spaceCounts = 0;
  double targetCounts = 0;
  double targetRadiance = 0;  // N_BB

  double radiance(double counts) const;
  double kelvin(double counts) const;
  double counts(double kelvin) const;
};

ViewThermalLine makeViewThermalLine(const EmissiveConstants& constants, double targetKelvin,
                                    double spaceCounts, double targetCounts);

// One line of one channel from a Level 1b file: radiance = c0 + c1*C + c2*C^2. KLM files fold
// the non-linear correction into these; POD files do not, so a correction may follow.
struct FileThermalLine {
  ThermalCoefficients coefficients;
  ThermalConstants band;
  const EmissiveConstants* correction = nullptr;  // non-linear correction still to apply

  double radiance(double counts) const;
  double kelvin(double counts) const;
  double counts(double kelvin) const;
};

// The quadratic in counts a KLM Level 1b file would carry for this line: the two-point line with
// its non-linear correction multiplied out. For writing synthetic files and comparing paths.
ThermalCoefficients fileCoefficientsFor(const ViewThermalLine& line);

// Level 1b files carry all-zero coefficients for channels they did not calibrate.
bool usable(const ThermalCoefficients& c);

}  // namespace kestrova::avhrr
