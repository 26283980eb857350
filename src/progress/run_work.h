// Runs a program's work and turns what escapes it into an error message and status 1, so no
// exception ends the program unreported, whichever form shows the progress.
#pragma once

#include "progress/progress_run.h"

namespace kestrova::progress {

int runWork(const Work& work, Reporter& reporter);

}  // namespace kestrova::progress
