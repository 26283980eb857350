// The location file's bytes for a picture's tie points, in the orientation the pictures have.
#pragma once

#include <cstdint>
#include <vector>

#include "varnock/tie_table.h"

namespace kestrova::varnock {

// Throws Error naming the field when the tie points cannot be written (e.g. fewer than two rows).
std::vector<std::uint8_t> locationFileBytes(const TieTable& table, bool turned);

}  // namespace kestrova::varnock
