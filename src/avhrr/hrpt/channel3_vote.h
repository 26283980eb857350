// Channel 3 carries 3A or 3B as the ID word's select bit says; a switch lasts for many lines, so
// a lone line whose bit disagrees with the lines either side had that bit flipped.
#pragma once

#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt {

// Gives each such line its neighbours' state (a clean line becomes Repaired); returns how many
// lines were mended. Fill lines are passed over when looking for the neighbours.
int mendChannel3(Pass& pass);

}  // namespace kestrova::avhrr::hrpt
