// One decoding: the data file read, calibrated and located, every requested picture and the
// location file written, and the user told what happened at each step.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "progress/progress_reporter.h"
#include "varnock/decoder_options.h"

namespace kestrova::varnock {

struct RunPlaces {
  std::filesystem::path programFolder;  // holds Varnock.rgb, and tle/ beside or as installed
};

// Where element files are looked for, in this order: tle/ beside the program, the installed
// element folder (<prefix>/share/kestrova/tle for <prefix>/bin), the data file's folder.
std::vector<std::filesystem::path> elementFolders(const RunPlaces& places,
                                                  const std::string& dataFile);

// The exit status: 0 when every file was written, else a kestrova::Error propagates (nothing
// of this run is left behind then, and earlier files of the same names are untouched).
int runDecoder(const DecoderOptions& options, const RunPlaces& places, progress::Reporter& report);

// The folder of the running program file.
std::filesystem::path runningProgramFolder();

}  // namespace kestrova::varnock
