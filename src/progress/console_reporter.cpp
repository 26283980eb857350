#include "progress/console_reporter.h"

namespace kestrova::progress {

namespace {
const char* prefix(Severity severity) {
  switch (severity) {
    case Severity::Warning:
      return "warning: ";
    case Severity::Error:
      return "error: ";
    case Severity::Info:
      break;
  }
  return "";
}
}  // namespace

void ConsoleReporter::stage(const std::string& text) {
  std::lock_guard lock(mutex_);
  std::fprintf(out_, "-- %s\n", text.c_str());
  std::fflush(out_);
}

void ConsoleReporter::message(Severity severity, const std::string& text) {
  std::lock_guard lock(mutex_);
  std::fprintf(out_, "%s%s\n", prefix(severity), text.c_str());
  std::fflush(out_);
}

}  // namespace kestrova::progress
