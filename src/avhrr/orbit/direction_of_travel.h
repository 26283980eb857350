// Which way the satellite travels over a pass, from its orbit: northbound passes arrive upside
// down (sample 0 is to the east), southbound ones north up.
#pragma once

#include "avhrr/orbit/sgp4.h"

namespace kestrova::avhrr {

enum class TravelDirection { Northbound, Southbound };  // ascending, descending

// The direction at one instant: the sign of the rate of change of latitude.
TravelDirection directionAt(const Sgp4& orbit, UtcMs t);

// The direction held for the larger part of [start, end]; a pass that turns near a pole counts
// each part by its duration.
TravelDirection directionOfTravel(const Sgp4& orbit, UtcMs start, UtcMs end);

}  // namespace kestrova::avhrr
