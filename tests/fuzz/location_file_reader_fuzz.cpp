// Any bytes as a location file: the reader must accept or refuse with kestrova::Error, never
// crash; whatever it accepts must encode back to the same bytes and interpolate anywhere. Each
// input is tried once as it is and once with its checksum made right, so that mutations reach
// the field checks behind the CRC.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "avhrr/location/crc32.h"
#include "avhrr/location/location_file.h"
#include "avhrr/location/location_interpolator.h"
#include "base/error.h"

namespace {

void check(const std::vector<std::uint8_t>& bytes) {
  using namespace kestrova::avhrr;
  LocationFileGrid grid;
  try {
    grid = decodeLocationFile(bytes, "fuzz.lcn");
  } catch (const kestrova::Error&) {
    return;
  }
  if (encodeLocationFile(grid) != bytes) std::abort();
  const LocationInterpolator interpolator(grid);
  for (double x : {-5.0, 0.0, grid.width / 2.0, grid.width - 1.0, grid.width + 3.0}) {
    for (double y : {-5.0, 0.0, grid.height / 3.0, grid.height - 1.0}) {
      const auto p = interpolator.at(x, y);
      if (!(std::abs(p.latitude) <= 90) || !(std::abs(p.longitude) <= 180)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  check(bytes);
  if (size >= 4) {
    const auto crc = kestrova::avhrr::crc32({data, size - 4});
    for (int i = 0; i < 4; ++i) bytes[size - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    check(bytes);
  }
  return 0;
}
