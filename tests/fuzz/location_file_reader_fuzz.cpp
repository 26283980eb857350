// Any bytes as a location file: the reader must accept or refuse with kestrova::Error, never
// crash; whatever it accepts must encode back to the same bytes and interpolate anywhere.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "avhrr/location/location_file.h"
#include "avhrr/location/location_interpolator.h"
#include "base/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova::avhrr;
  LocationGrid grid;
  try {
    grid = decodeLocationFile({data, size}, "fuzz.lcn");
  } catch (const kestrova::Error&) {
    return 0;
  }
  const auto again = encodeLocationFile(grid);
  if (again.size() != size || std::memcmp(again.data(), data, size) != 0) std::abort();
  const LocationInterpolator interpolator(grid);
  for (double x : {-5.0, 0.0, grid.width / 2.0, grid.width - 1.0, grid.width + 3.0}) {
    for (double y : {-5.0, 0.0, grid.height / 3.0, grid.height - 1.0}) {
      const auto p = interpolator.at(x, y);
      if (!(std::abs(p.latitude) <= 90) || !(std::abs(p.longitude) <= 180)) std::abort();
    }
  }
  return 0;
}
