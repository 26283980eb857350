// Reads a KLM Level 1b file (NOAA-15 onward, MetOp): HRPT, LAC and FRAC (2048 samples) and GAC
// (409), with or without the archive header, in any of the record word sizes.
#pragma once

#include <string>

#include "avhrr/level1b/big_endian.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::level1b {

// fileName is used in error messages only.
Pass readKlm(Bytes file, const std::string& fileName);

}  // namespace kestrova::avhrr::level1b
