// Reads a NOAA Level 1b file, KLM or POD, whatever its extension: the content decides.
#pragma once

#include <filesystem>
#include <string>

#include "avhrr/level1b/big_endian.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::level1b {

// fileName is used in error messages only.
Pass readLevel1b(Bytes file, const std::string& fileName);

// Reads the whole file first; errors name the path. A pass without a data set name gets the
// file's name.
Pass readLevel1bFile(const std::filesystem::path& path);

}  // namespace kestrova::avhrr::level1b
