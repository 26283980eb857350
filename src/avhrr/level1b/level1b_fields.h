// Decoding helpers both Level 1b readers share.
#pragma once

#include <string>

#include "avhrr/level1b/big_endian.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::level1b {

// A fixed-length character field without its trailing blanks and NULs.
std::string trimmedText(Bytes bytes);

// The calibration views in a copy of the HRPT minor-frame words 1-103 (words[0] is word 1).
CalibrationViews viewsFromHrptWords(const std::array<std::uint16_t, 103>& words);
// The inverse: words 18-102 from the views, the others zero.
std::array<std::uint16_t, 103> hrptWordsFromViews(const CalibrationViews& views);

// The 51 tie-point columns (0-based samples) of a line: every 40th from 24 for full resolution,
// every 8th from 4 for GAC.
std::vector<int> tiePointColumns(DataType type);

// Every record read is a kept line; those whose time was repaired are counted as repaired too.
void countReadLines(Pass& pass);

}  // namespace kestrova::avhrr::level1b
