#pragma once
// The made-up NOAA-19 element set of the tests and the demo pass (tle/demo.tle holds the same
// lines): at the epoch, 21 June 2025 12:00 UTC, the satellite crosses the equator northbound at
// 30 E, 14:00 local time.
#include <string_view>

namespace kestrova::testing {

inline constexpr std::string_view kNoaa19Elements =
    "NOAA 19\n"
    "1 33591U 09005A   25172.50000000  .00000120  00000-0  88000-4 0  9990\n"
    "2 33591  99.1000 120.0000 0014000  90.0000 270.0000 14.12600000850005\n";

}  // namespace kestrova::testing
