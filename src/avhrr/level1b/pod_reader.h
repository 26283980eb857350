// Reads a POD Level 1b file (NOAA-14 and earlier): LAC/HRPT (2048 samples, two 7400-byte records
// a scan) and GAC (409, 3220 bytes), with or without the 122-byte archive header.
#pragma once

#include <string>

#include "avhrr/level1b/big_endian.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::level1b {

// fileName is used in error messages only.
Pass readPod(Bytes file, const std::string& fileName);

// Year, day and millisecond of a POD packed time (3 big-endian u16 at `offset`).
std::optional<UtcMs> podTime(Bytes bytes, std::size_t offset);

}  // namespace kestrova::avhrr::level1b
