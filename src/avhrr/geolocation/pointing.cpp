#include "avhrr/geolocation/pointing.h"

#include <algorithm>
#include <array>

namespace kestrova::avhrr {
namespace {

struct SatellitePointing {
  int norad;
  PointingCorrection correction;
};

// Measured biases go here, one row per satellite, with their source beside them. None are in use:
// the values NOAA published are for its own Earth-location model, and the ones amateur decoders
// use belong to models that ignore Earth rotation in the scan plane, so neither transfers.
constexpr std::array<SatellitePointing, 0> kPointing{};

}  // namespace

PointingCorrection defaultPointing(const Satellite* satellite) {
  if (satellite == nullptr) return {};
  const auto it = std::find_if(kPointing.begin(), kPointing.end(), [&](const SatellitePointing& p) {
    return p.norad == satellite->norad;
  });
  return it == kPointing.end() ? PointingCorrection{} : it->correction;
}

}  // namespace kestrova::avhrr
