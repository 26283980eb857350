#include "avhrr/calibration/calibration_constants.h"

#include <algorithm>
#include <cmath>

#include "avhrr/calibration/visible_drift.h"

namespace kestrova::avhrr {
namespace {

constexpr auto None = std::nullopt;

ReflectiveCoefficients dualGain(double s1, double i1, double s2, double i2, double x) {
  return {s1, i1, s2, i2, x};
}

EmissiveConstants emissive(double nu, double a, double b, double ns, double b0, double b1,
                           double b2) {
  return {{nu, a, b}, ns, {b0, b1, b2}};
}

PrtPolynomial prt(double d0, double d1, double d2) {
  return {{d0, d1, d2, 0, 0}};
}

std::array<SatelliteConstants, 6> makeTable() {
  return {{
      // NOAA-15. Visible: pre-launch, KLM User's Guide App. D.1 (one lineage only: our documents
      // found no second copy). Thermal: KLM App. D.1, agreeing with two reprocessing data sets.
      {"NOAA-15",
       {dualGain(0.0568, -2.1874, 0.1633, -54.9928, 496),
        dualGain(0.0596, -2.4096, 0.1629, -55.2436, 511), None},
       ThermalTable{{prt(276.60157, 0.051045, 1.36328e-6), prt(276.62531, 0.050909, 1.47266e-6),
                     prt(276.67413, 0.050907, 1.47656e-6), prt(276.59258, 0.050966, 1.47656e-6)},
                    {0.25, 0.25, 0.25, 0.25},
                    {emissive(2695.9743, 1.621256, 0.998015, 0, 0, 0, 0),
                     emissive(925.4075, 0.337810, 0.998719, -4.50, 4.76, -0.0932, 0.0004524),
                     emissive(839.8979, 0.304558, 0.999024, -3.61, 3.83, -0.0659, 0.0002811)}}},

      // NOAA-17. Visible: NOAA/OSPO Level 1b notice of 8 June 2004, the first in-orbit update
      // (pre-launch values not obtained). Thermal: N_S, b and PRTs KLM App. D.3 Tables D.3-2/-3;
      // nu, A, B of channels 4 and 5 from one copy of KLM section 7 / App. D only; channel 3B
      // constants not obtained, so 3B stays in counts.
      {"NOAA-17",
       {dualGain(0.05430, -2.173, 0.1594, -54.85, 501.12),
        dualGain(0.06562, -2.576, 0.1953, -67.63, 500.73),
        dualGain(0.03097, -1.306, 0.2171, -94.78, 501.37)},
       ThermalTable{
           {prt(276.628, 0.05098, 1.371e-6), prt(276.538, 0.05098, 1.371e-6),
            prt(276.761, 0.05097, 1.369e-6), prt(276.660, 0.05100, 1.348e-6)},
           {0.25, 0.25, 0.25, 0.25},
           {None, emissive(926.2947, 0.271683, 0.998794, -8.55, 8.22, -0.15795, 0.00075579),
            emissive(839.8246, 0.309180, 0.999012, -3.97, 4.31, -0.07318, 0.00030976)}}},

      // NOAA-18. Visible: NOAA/OSPO monthly update of 11 December 2018, the last published
      // (pre-launch values not obtained). Thermal: KLM App. D.4 (weights D.4-1, N_S and b D.4-2,
      // PRTs D.4-3), nu/A/B as in five independent readers.
      {"NOAA-18",
       {dualGain(0.06158, -2.428, 0.1836, -63.14, 501.54),
        dualGain(0.07267, -2.863, 0.2181, -75.98, 500.40), None},
       ThermalTable{{prt(276.601, 0.05090, 1.657e-6), prt(276.683, 0.05101, 1.482e-6),
                     prt(276.565, 0.05117, 1.313e-6), prt(276.615, 0.05103, 1.484e-6)},
                    {0.25, 0.25, 0.25, 0.25},
                    {emissive(2659.7952, 1.698704, 0.996960, 0, 0, 0, 0),
                     emissive(928.1460, 0.436645, 0.998607, -5.53, 5.82, -0.11069, 0.00052337),
                     emissive(833.2532, 0.253179, 0.999057, -2.22, 2.67, -0.04360, 0.00017715)}}},

      // NOAA-19. Visible 1 and 2: NOAA/OSPO monthly update of 11 December 2018; 3A: pre-launch,
      // KLM App. D (NOAA-N' supplement; slopes from one source, intersection confirmed by OSPO).
      // Thermal: KLM NOAA-N' supplement, agreeing with a reprocessing data set.
      {"NOAA-19",
       {dualGain(0.05448, -2.118, 0.1607, -55.25, 496.43),
        dualGain(0.06379, -2.474, 0.1900, -65.60, 500.37),
        dualGain(0.027174, -1.0881, 0.18798, -81.491, 496.11)},
       ThermalTable{{prt(276.6067, 0.051111, 1.405783e-6), prt(276.6119, 0.051090, 1.496037e-6),
                     prt(276.6311, 0.051033, 1.496990e-6), prt(276.6268, 0.051058, 1.493110e-6)},
                    {0.25, 0.25, 0.25, 0.25},
                    {emissive(2670.0, 1.67396, 0.997364, 0, 0, 0, 0),
                     emissive(928.9, 0.53959, 0.998534, -5.49, 5.70, -0.11187, 0.00054668),
                     emissive(831.9, 0.36064, 0.998913, -3.39, 3.58, -0.05991, 0.00024985)}}},

      // AVHRR/2. Visible pre-launch values not obtained: Level 1b files carry their own.
      // Thermal: PATMOS-x calibration set (Heidinger et al. 2010), one source; the NOAA-14
      // non-linear terms agree with a second code.
      {"NOAA-14",
       {None, None, None},
       ThermalTable{{prt(276.597, 0.051275, 1.363e-6), prt(276.597, 0.051275, 1.363e-6),
                     prt(276.597, 0.051275, 1.363e-6), prt(276.597, 0.051275, 1.363e-6)},
                    {0.25, 0.25, 0.25, 0.25},
                    {emissive(2654.25, 1.8781199, 0.9961757, 0.0069, -0.0031, 0.00359, 0),
                     emissive(928.349, 0.3079396, 0.9985591, -4.05, 3.72, -0.07622, 0.0003822),
                     emissive(833.04, -0.0221591, 0.9994623, -2.29, 2.00, -0.03806, 0.0001742)}}},
      {"NOAA-12",
       {None, None, None},
       ThermalTable{{prt(276.597, 0.051275, 1.363e-6), prt(276.597, 0.051275, 1.363e-6),
                     prt(276.597, 0.051275, 1.363e-6), prt(276.597, 0.051275, 1.363e-6)},
                    {0.25, 0.25, 0.25, 0.25},
                    {emissive(2651.7708, 1.8995562, 0.9969990, 0, 0, 0, 0),
                     emissive(922.36261, 0.6329612, 0.9982953, -5.51, 5.11, -0.1107, 0.0005968),
                     emissive(838.02678, 0.4103730, 0.9988004, -2.51, 1.91, -0.037, 0.0001775)}}},
  }};
}

const std::array<SatelliteConstants, 6>& table() {
  static const auto constants = makeTable();
  return constants;
}

}  // namespace

double PrtPolynomial::kelvin(double counts) const {
  double t = 0;
  for (auto it = d.rbegin(); it != d.rend(); ++it) t = t * counts + *it;
  return t;
}

double PrtPolynomial::counts(double target) const {
  // Newton's method from the linear estimate; the polynomials are nearly linear.
  double c = (target - d[0]) / d[1];
  for (int i = 0; i < 20; ++i) {
    const double slope = d[1] + c * (2 * d[2] + c * (3 * d[3] + c * 4 * d[4]));
    const double step = (kelvin(c) - target) / slope;
    c -= step;
    if (std::abs(step) < 1e-10) break;
  }
  return c;
}

double EmissiveConstants::corrected(double linearRadiance) const {
  return linearRadiance + nonlinear[0] + nonlinear[1] * linearRadiance +
         nonlinear[2] * linearRadiance * linearRadiance;
}

double EmissiveConstants::linear(double correctedRadiance) const {
  // Root of b2*L^2 + (1+b1)*L + (b0 - N) = 0 next to N, in the form that stays exact as b2 -> 0.
  const double p = 1 + nonlinear[1];
  const double q = correctedRadiance - nonlinear[0];
  const double disc = std::max(0.0, p * p + 4 * nonlinear[2] * q);
  return 2 * q / (p + std::sqrt(disc));
}

std::optional<SatelliteConstants> constantsAt(const Satellite* satellite, UtcMs t,
                                              VisibleCalibration visible) {
  if (satellite == nullptr) return std::nullopt;
  const SatelliteConstants* table = constantsFor(satellite);
  const auto drifting = visible == VisibleCalibration::TimeDependent
                            ? timeDependentVisible(*satellite, t)
                            : std::nullopt;
  if (table == nullptr && !drifting) return std::nullopt;
  SatelliteConstants out = table != nullptr ? *table : SatelliteConstants{satellite->name, {}, {}};
  if (drifting) out.reflective = *drifting;
  return out;
}

const SatelliteConstants* constantsFor(const Satellite* satellite) {
  if (satellite == nullptr) return nullptr;
  const auto& all = table();
  const auto it = std::find_if(all.begin(), all.end(), [&](const SatelliteConstants& c) {
    return c.satellite == satellite->name;
  });
  return it == all.end() ? nullptr : &*it;
}

}  // namespace kestrova::avhrr
