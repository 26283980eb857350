// Which of the four internal-target PRTs each line's readings (words 18-20) are of. The PRT
// changes every line and every fifth line reads all zero, so the phase comes from the nearest
// such reference line, counted in line numbers so lost frames do not shift it.
#pragma once

#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt {

// Mean of the three readings below which a line is a reference line.
constexpr int kPrtReferenceThreshold = 50;

// Sets views->prtPhase on every line that has views; -1 when the pass has no reference line.
void assignPrtPhases(Pass& pass);

}  // namespace kestrova::avhrr::hrpt
