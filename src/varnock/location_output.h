// The location file's bytes for the tie-point grid of a pass's pictures, in the orientation the
// pictures have.
#pragma once

#include <cstdint>
#include <vector>

#include "avhrr/geolocation/location_grid.h"
#include "avhrr/pass.h"

namespace kestrova::varnock {

// Throws Error naming the field when the grid cannot be written (e.g. fewer than two rows).
std::vector<std::uint8_t> locationFileBytes(const avhrr::Pass& pass,
                                            const avhrr::LocationGrid& grid, bool turned);

}  // namespace kestrova::varnock
