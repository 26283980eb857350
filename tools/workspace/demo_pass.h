// The demo pass of a newcomer's first run, the screenshots and the round benchmark: a synthetic
// 12-minute NOAA-19 daylight pass, northbound over Europe, made from the repository's element set
// (tle/demo.tle); its name carries the date, so the decoder finds the year in it.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "avhrr/synthetic/synthetic_pass.h"

namespace kestrova::tools {

// make_pass --start 2025-06-21T12:08:00 --duration 720 writes the same pass.
inline constexpr const char* kDemoPassStem = "noaa19_20250621_120800";

// Writes the pass into folder as each kind of file, and the element set beside it as demo.tle;
// returns the names of the pass files, in the order of kinds.
std::vector<std::string> writeDemoPass(const std::filesystem::path& folder,
                                       const std::filesystem::path& elements,
                                       std::span<const avhrr::SyntheticFile> kinds);

}  // namespace kestrova::tools
