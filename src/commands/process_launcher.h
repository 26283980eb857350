#pragma once
// Starts one of the chain's programs and waits until it has ended.
//
// The program runs in a process group of its own, with Kestrova's environment and working
// folder. A program without a folder is looked for beside the running kestrova, then in the
// working folder, then on PATH. A failed start is reported once through the dialogs; a program
// that starts and then fails is not reported, and its exit status is not read.
#include <functional>
#include <string>

#include "commands/command_lines.h"
#include "commands/dialogs.h"

namespace kestrova {

extern const char* const kStartFailureText;

class ProcessLauncher {
 public:
  // whileWaiting runs repeatedly while the program runs (the window repaints there without
  // taking input); without it the wait simply blocks.
  explicit ProcessLauncher(Dialogs& dialogs, std::function<void()> whileWaiting = {});

  void run(const CommandLine& command);

 private:
  Dialogs& dialogs_;
  std::function<void()> whileWaiting_;
};

// Where the program named by token is found, or "" when it is not (exposed for tests).
std::string resolveProgram(const std::string& token);

}  // namespace kestrova
