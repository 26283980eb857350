// Visible and near-infrared channels (1, 2, 3A): counts to percent albedo with the two gain
// segments meeting at the intersection count, and back.
#pragma once

#include "avhrr/pass.h"

namespace kestrova::avhrr {

double albedoFromCounts(const ReflectiveCoefficients& c, double counts);
// The count (not rounded) that albedoFromCounts maps to the albedo.
double countsFromAlbedo(const ReflectiveCoefficients& c, double albedo);

// A set whose slopes are zero is what Level 1b files carry for a channel not calibrated.
bool usable(const ReflectiveCoefficients& c);

}  // namespace kestrova::avhrr
