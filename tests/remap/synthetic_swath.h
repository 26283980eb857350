// Test swaths: a synthetic pass of the test elements as the decoder would hand it to the
// remapper, a grey picture of calibrated channel 2 and its location grid, optionally turned
// north up and written as the two files Ostrelle.exe reads.
#pragma once

#include <string>

#include "avhrr/location/location_file.h"
#include "imaging/image.h"
#include "remap/synthetic_tie_points.h"

namespace kestrova::testing {

struct SyntheticSwath {
  avhrr::LocationFileGrid grid;
  Image picture;  // Grey8, albedo 0..60 % over 0..255
};

// Made once per request and process; a few seconds for a full pass.
const SyntheticSwath& syntheticSwath(const SwathRequest& request);

// Writes <stem>.jpg (quality 95) and <stem>.lcn into the folder.
void writeSwathFiles(const SyntheticSwath& swath, const std::string& folder,
                     const std::string& stem);

// The picture turned by 180 degrees.
Image turned(const Image& picture);

}  // namespace kestrova::testing
