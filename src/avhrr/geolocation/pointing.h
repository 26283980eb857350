// Small corrections to where the instrument looks and when: the spacecraft's attitude biases and
// the offset of the line time codes. Each satellite has its values as data (zero unless measured);
// a user may override them.
#pragma once

#include "avhrr/satellites.h"

namespace kestrova::avhrr {

// Rotations of the instrument in the orbital frame (x along the inertial velocity, y to the right
// of the flight direction, z to geodetic nadir), right-handed and applied roll, then pitch, then
// yaw: positive roll moves the view to the left, positive pitch forward, positive yaw turns the
// scan line clockwise seen from above.
struct PointingCorrection {
  double rollDeg = 0;
  double pitchDeg = 0;
  double yawDeg = 0;
  double clockOffsetMs = 0;  // added to every line time
};

// The satellite's values; all zero for a satellite without measured ones or when nullptr.
PointingCorrection defaultPointing(const Satellite* satellite);

}  // namespace kestrova::avhrr
