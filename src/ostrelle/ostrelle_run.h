// One remapping run of Ostrelle.exe: read the location file and the picture, resample the
// picture onto the map, draw the overlays, write the map and its georeferencing.
#pragma once

#include <span>
#include <string>

#include "ostrelle/ostrelle_options.h"
#include "progress/progress_reporter.h"

namespace kestrova::ostrelle {

// The work as the progress window runs it: 0 when the map was written, 1 when the work failed
// (the error is raised to the caller, which reports it), 2 for a fault of the command line.
int runOstrelle(std::span<const std::string> arguments, progress::Reporter& reporter);

// "Ostrelle - <output file name>", or "Ostrelle" when the command line names no output.
std::string windowTitle(std::span<const std::string> arguments);

}  // namespace kestrova::ostrelle
