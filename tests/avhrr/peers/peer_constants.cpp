#include "avhrr/peers/peer_constants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "avhrr/calibration/visible_drift.h"
#include "base/error.h"

namespace kestrova::avhrr {
namespace {

struct PeerSet {
  std::string_view satellite;
  std::array<EmissiveConstants, 3> thermal;
  std::array<PrtPolynomial, 4> prt;
};

EmissiveConstants emissive(double nu, double a, double b, double ns, double b0, double b1,
                           double b2) {
  return {{nu, a, b}, ns, {b0, b1, b2}};
}

PrtPolynomial prt(double d0, double d1, double d2) {
  return {{d0, d1, d2, 0, 0}};
}

// pygac 1.7.1 data/calibration.json (PATMOS-x v2017r1; Heidinger et al. 2010).
const std::array<PeerSet, 2>& peerSets() {
  static const std::array<PeerSet, 2> sets{{
      {"NOAA-19",
       {emissive(2670.2425, 1.6820200170457578, 0.9974112191806167, 0, 0, 0, 0),
        emissive(927.92374, 0.39366677255917354, 0.9986718662850276, -5.49, 5.70, -0.11187,
                 0.00054668),
        emissive(831.28619, 0.2633947633588976, 0.9990463103920997, -3.39, 3.58, -0.05991,
                 0.00024985)},
       {prt(276.6067, 0.051111, 1.405783e-6), prt(276.6119, 0.05109, 1.496037e-6),
        prt(276.6311, 0.051033, 1.49699e-6), prt(276.6268, 0.051058, 1.49311e-6)}},
      {"NOAA-18",
       {emissive(2660.6468, 1.7173477182782537, 0.9971448750791857, 0, 0, 0, 0),
        emissive(928.73452, 0.5461660253184831, 0.9985440229601218, -5.53, 5.82, -0.11069,
                 0.00052337),
        emissive(834.08306, 0.3989160707985957, 0.9988289729121578, -2.22, 2.67, -0.0436,
                 0.00017715)},
       {prt(276.601, 0.0509, 1.657e-6), prt(276.683, 0.05101, 1.482e-6),
        prt(276.565, 0.05117, 1.313e-6), prt(276.615, 0.05103, 1.484e-6)}},
  }};
  return sets;
}

}  // namespace

SatelliteConstants peerConstants(const Satellite& satellite, UtcMs start) {
  const auto& sets = peerSets();
  const auto it = std::find_if(sets.begin(), sets.end(),
                               [&](const PeerSet& s) { return s.satellite == satellite.name; });
  if (it == sets.end()) throw Error("no peer calibration set for " + std::string(satellite.name));
  SatelliteConstants out{satellite.name, {}, ThermalTable{}};
  // The peers' visible set is the time-dependent one our calibration uses by default.
  out.reflective = *timeDependentVisible(satellite, start);
  for (std::size_t k = 0; k < 3; ++k) out.thermal->channels[k] = it->thermal[k];
  out.thermal->prt = it->prt;
  return out;
}

}  // namespace kestrova::avhrr
