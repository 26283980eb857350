// The calibration set both peers use (PATMOS-x v2017r1, as the peers' pygac ships it), in our
// constants' form: calibrating with it makes a difference between us and a peer a difference of
// readers and methods, not of coefficients. Its visible gains, drifting with the years since
// launch, are our default ones (visible_drift.h); its thermal constants are its own.
#pragma once

#include "avhrr/calibration/calibration_constants.h"

namespace kestrova::avhrr {

// NOAA-18 and NOAA-19 (the satellites our synthetic passes fly); Error for any other. The
// visible gains are those of the instant start.
SatelliteConstants peerConstants(const Satellite& satellite, UtcMs start);

}  // namespace kestrova::avhrr
