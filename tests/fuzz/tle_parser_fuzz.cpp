// Any bytes as an element file: the reader must end in element sets or an error, never crash or
// hang, and every set it accepts must start the orbit model or be refused by it with an error.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "avhrr/orbit/element_sets.h"
#include "avhrr/orbit/sgp4.h"
#include "base/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova::avhrr;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<TwoLineElements> sets;
  try {
    sets = parseElementSets(bytes, "fuzz.txt");
  } catch (const kestrova::Error&) {
    return 0;
  }
  if (sets.empty()) std::abort();
  for (const TwoLineElements& e : sets) {
    if (!(e.meanMotion > 0) || e.eccentricity < 0 || e.eccentricity >= 1) std::abort();
    try {
      const Sgp4 orbit(e);
      for (double minutes : {0.0, 90.0, -1440.0}) {
        const StateVector s = orbit.at(minutes);
        for (double x : s.position) {
          if (!std::isfinite(x)) std::abort();
        }
      }
    } catch (const kestrova::Error&) {
    }
  }
  nearestElements(sets, SatelliteKey{sets.front().catalogueNumber, ""}, 0, "fuzz.txt");
  return 0;
}
