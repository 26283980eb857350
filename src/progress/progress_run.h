// Runs a program's work with a progress window, or on the console without a display.
#pragma once

#include <functional>
#include <string>

#include "progress/progress_reporter.h"

namespace kestrova::progress {

struct RunOptions {
  std::string title;            // the window's title
  bool closeWhenDone = false;   // close by itself when the work succeeded
  bool startMinimised = false;  // the window starts minimised
};

// The work returns the exit status (0 success, 1 failure of the work). A kestrova::Error or any
// other exception escaping it is reported as an error and gives status 1.
using Work = std::function<int(Reporter&)>;

// True when a window can be shown: QT_QPA_PLATFORM is not "offscreen" (or "minimal") and
// DISPLAY or WAYLAND_DISPLAY is set.
bool displayAvailable();

// With a display: a window titled options.title shows the stage, a progress bar and the messages
// while the work runs on its own thread; at the end the Close button is enabled (Enter or Escape
// close it too) and a picture given to showPicture is shown. The window stays until the user
// closes it, unless closeWhenDone and the work succeeded. Without a display the messages go to
// standard error as they come. Returns the work's exit status.
int runWithProgress(int argc, char** argv, const RunOptions& options, const Work& work);

}  // namespace kestrova::progress
