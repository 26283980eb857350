// One decoding: the data file read, calibrated and located, every requested picture and the
// location file written, and the user told what happened at each step.
#pragma once

#include <filesystem>

#include "progress/progress_reporter.h"
#include "varnock/decoder_options.h"

namespace kestrova::varnock {

struct RunPlaces {
  std::filesystem::path programFolder;  // holds tle/ and Varnock.rgb
};

// The exit status: 0 when every file was written, else a kestrova::Error propagates (nothing
// of this run is left behind then, and earlier files of the same names are untouched).
int runDecoder(const DecoderOptions& options, const RunPlaces& places, progress::Reporter& report);

// The folder of the running program file.
std::filesystem::path runningProgramFolder();

}  // namespace kestrova::varnock
