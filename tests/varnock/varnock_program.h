#pragma once
// The real Varnock.exe run as a station's script runs it (no display), on synthetic passes of
// every kind make_pass writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "avhrr/synthetic/synthetic_pass.h"
#include "support/temp_folder.h"

namespace kestrova::testing {

struct ProgramRun {
  int status = -1;
  std::string messages;  // standard error
};

std::string builtVarnock();

// Runs Varnock.exe (the built one, or a copy) with these arguments, without a display, and waits.
ProgramRun runVarnock(const std::vector<std::string>& arguments,
                      const std::string& program = builtVarnock());

// The names of the files in a folder.
std::set<std::string> filesIn(const std::filesystem::path& folder);

// One 20-second NOAA-19 pass written once for the whole test program: the raw HRPT forms with
// the element file beside them in hrpt/, the Level 1b forms alone in l1b/.
class SyntheticPasses {
 public:
  static const SyntheticPasses& get();

  std::filesystem::path file(avhrr::SyntheticFile kind) const;
  const avhrr::Pass& pass() const { return pass_; }
  const avhrr::SyntheticPassOptions& options() const { return options_; }
  std::filesystem::path hrptFolder() const { return folder_.path() / "hrpt"; }
  std::filesystem::path level1bFolder() const { return folder_.path() / "l1b"; }
  static std::string elementsFile();

 private:
  SyntheticPasses();
  TempFolder folder_;
  avhrr::SyntheticPassOptions options_;
  avhrr::Pass pass_;
};

}  // namespace kestrova::testing
