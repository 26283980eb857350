#include "avhrr/calibration/visible_drift.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace kestrova::avhrr {
namespace {

// One channel: S0 (percent albedo per count at launch), S1 and S2 (percent per year and per
// year squared), the dark count, and the gain-switch count of a dual-gain channel (0: single
// gain).
struct Drift {
  double s0, s1, s2, dark, gainSwitch;
};

struct DriftSet {
  std::string_view satellite;
  double launch;  // year and its fraction, as the set rounds it (5 decimals)
  std::array<std::optional<Drift>, 3> channels;
};

constexpr auto None = std::nullopt;

// PATMOS-x v2017r1 (the set's launch dates as year fractions).
constexpr std::array<DriftSet, 13> kSets{{
    {"NOAA-9",
     1984.948,
     {Drift{0.108, 4.255, 0.64, 38.0, 0}, Drift{0.122, 0.31, 0.642, 40.0, 0}, None}},
    {"NOAA-10",
     1986.712,
     {Drift{0.111, 6.087, -1.039, 39.44, 0}, Drift{0.137, 0.119, 0.123, 39.4, 0}, None}},
    {"NOAA-11",
     1988.731,
     {Drift{0.11, 0.632, -0.044, 40.0, 0}, Drift{0.118, -0.037, 0.072, 40.0, 0}, None}},
    {"NOAA-12",
     1991.3669,
     {Drift{0.121, 2.032, -0.032, 41.0, 0}, Drift{0.148, 1.323, -0.008, 40.0, 0}, None}},
    {"NOAA-14",
     1994.9966,
     {Drift{0.121, 3.555, -0.339, 41.0, 0}, Drift{0.152, 0.254, 0.201, 41.0, 0}, None}},
    {"NOAA-15",
     1998.3641,
     {Drift{0.11933333333333333, -0.069, 0.002, 39.0, 500.0},
      Drift{0.13733333333333334, 0.339, -0.01, 40.0, 500.0}, Drift{0.1, 0, 0, 39.0, 500.0}}},
    {"NOAA-16",
     2000.7228,
     {Drift{0.11, 0.839, -0.051, 39.3, 498.96},
      Drift{0.11933333333333333, 0.786, -0.031, 38.9, 500.17},
      Drift{0.10685714285714286, 0.29, -0.294, 38.4, 499.43}}},
    {"NOAA-17",
     2002.47912,
     {Drift{0.11466666666666665, 1.007, -0.044, 39.99, 501.12},
      Drift{0.14, 1.474, -0.118, 39.09, 500.73},
      Drift{0.11942857142857143, 2.787, -0.292, 42.09, 501.37}}},
    {"NOAA-18",
     2005.3833,
     {Drift{0.114, 0.603, 0, 39.44, 500.54}, Drift{0.128, 0.632, 0.045, 39.4, 500.4},
      Drift{0.1, 0, 0, 37.51, 500.56}}},
    {"NOAA-19",
     2009.096,
     {Drift{0.108, 0.626, -0.044, 38.8, 496.43}, Drift{0.122, 0.95, -0.039, 39.0, 500.37},
      Drift{0.1, 0, 0, 39.4, 496.11}}},
    {"MetOp-A",
     2006.7995,
     {Drift{0.11266666666666668, 0.609, -0.029, 40.43, 501.0},
      Drift{0.13266666666666668, 0.98, -0.016, 39.75, 500.0},
      Drift{0.1217142857142857, 1.224, -0.033, 41.8, 502.0}}},
    {"MetOp-B",
     2012.77,
     {Drift{0.11066666666666668, 2.019, -0.201, 39.7, 501.12},
      Drift{0.122, 1.476, -0.137, 40.0, 500.82},
      Drift{0.11485714285714287, 1.748, -0.033, 40.3, 501.32}}},
    {"MetOp-C",
     2018.84873,
     {Drift{0.10866666666666668, 7.424, -2.579, 40.41, 498.68},
      Drift{0.13, -0.9, 1.278, 40.94, 500.01},
      Drift{0.16228571428571428, -45.535, 20.122, 40.57, 498.72}}},
}};

// Dual gain: a quarter (3A: an eighth) of the albedo range on the lower half of the counts. The
// set's slopes of each segment are S0 times that share, rounded to 0.001 as the set defines them.
constexpr std::array<std::array<double, 2>, 3> kGainShares{{{0.5, 1.5}, {0.5, 1.5}, {0.25, 1.75}}};

ReflectiveCoefficients gains(const Drift& d, std::size_t channel, double years) {
  const double ageing = (100 + d.s1 * years + d.s2 * years * years) / 100;
  if (d.gainSwitch == 0) {
    const double s = d.s0 * ageing;
    return {s, -s * d.dark, s, -s * d.dark, 1023};
  }
  const auto& share = kGainShares[channel];
  const double lo = std::round(share[0] * d.s0 * 1000) / 1000 * ageing;
  const double hi = std::round(share[1] * d.s0 * 1000) / 1000 * ageing;
  // R = lo (C - D) up to the switch count B, then R(B) + hi (C - B).
  return {lo, -lo * d.dark, hi, lo * (d.gainSwitch - d.dark) - hi * d.gainSwitch, d.gainSwitch};
}

}  // namespace

std::optional<std::array<std::optional<ReflectiveCoefficients>, 3>> timeDependentVisible(
    const Satellite& satellite, UtcMs t) {
  const auto it = std::find_if(kSets.begin(), kSets.end(),
                               [&](const DriftSet& s) { return s.satellite == satellite.name; });
  if (it == kSets.end()) return std::nullopt;
  // Days since 1 January over 365, as the set's own fit counts the years.
  const YearDay date = yearDayFromUtc(t);
  const double years =
      date.year + ((date.dayOfYear - 1) + static_cast<double>(date.msOfDay) / kMsPerDay) / 365 -
      it->launch;
  std::array<std::optional<ReflectiveCoefficients>, 3> out;
  for (std::size_t k = 0; k < out.size(); ++k)
    if (it->channels[k]) out[k] = gains(*it->channels[k], k, years);
  return out;
}

}  // namespace kestrova::avhrr
