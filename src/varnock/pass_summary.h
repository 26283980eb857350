// The facts about a pass a station operator reads after a run: satellite, file form, times,
// lines, the year's source, calibration.
#pragma once

#include <string>
#include <vector>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/pass.h"

namespace kestrova::varnock {

std::vector<std::string> describePass(const avhrr::Pass& pass);
std::vector<std::string> describeCalibration(const avhrr::Pass& pass,
                                             const avhrr::PassCalibration& calibration);

// "2025-06-21 11:54:00 UTC"
std::string utcText(avhrr::UtcMs t);
// "1.2 MB", "830 kB"
std::string sizeText(std::uintmax_t bytes);

}  // namespace kestrova::varnock
