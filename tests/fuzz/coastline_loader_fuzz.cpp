// Any bytes as a coastline blob: the loader must accept or refuse with kestrova::Error, never
// crash, and whatever it accepts must answer queries and encode back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/error.h"
#include "geo/coastline_set.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kestrova::CoastlineData decoded;
  try {
    decoded = kestrova::decodeCoastline({data, size});
  } catch (const kestrova::Error&) {
    return 0;
  }
  const std::string again = kestrova::encodeCoastline(decoded);
  if (again.size() != size || std::memcmp(again.data(), data, size) != 0) std::abort();
  const auto set = kestrova::CoastlineSet::fromBlob({data, size});
  for (double lat : {-90.0, -33.3, 0.0, 45.0, 90.0}) {
    for (double lon : {-180.0, -1.5, 0.0, 179.99, 180.0}) set.isLand(lat, lon);
  }
  for (auto kind : {kestrova::SegmentKind::Coast, kestrova::SegmentKind::Border}) {
    for (const auto& segment : set.segments(kind, {90, -90, 170, -170}))
      if (segment.points.size() < 2) std::abort();
  }
  return 0;
}
