// The progress of a run without a display: stages and messages to standard error as they come,
// so a station's scripts and logs see what the window would have shown.
#pragma once

#include <cstdio>
#include <mutex>

#include "progress/progress_reporter.h"

namespace kestrova::progress {

class ConsoleReporter : public Reporter {
 public:
  explicit ConsoleReporter(std::FILE* out = stderr) : out_(out) {}

  void stage(const std::string& text) override;
  void progress(double) override {}
  void message(Severity severity, const std::string& text) override;
  void showPicture(const std::string&) override {}

 private:
  std::FILE* out_;
  std::mutex mutex_;
};

}  // namespace kestrova::progress
