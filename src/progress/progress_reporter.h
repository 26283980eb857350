// What a long run of Varnock.exe or Ostrelle.exe tells its user while it works: the stage it is
// in, how far the whole run has come, and messages to read afterwards. The work calls a Reporter
// from its own thread; the window or the console shows what it says.
#pragma once

#include <string>

namespace kestrova::progress {

enum class Severity { Info, Warning, Error };

class Reporter {
 public:
  virtual ~Reporter() = default;

  // The stage now running ("Reading", "Calibrating", "Making fc", ...).
  virtual void stage(const std::string& text) = 0;
  // How far the whole run has come, 0..1; values only ever move forward.
  virtual void progress(double fraction) = 0;
  // A line for the message list; warnings and errors stand out.
  virtual void message(Severity severity, const std::string& text) = 0;
  // A finished picture file the window shows, scaled to fit, once the work has ended.
  virtual void showPicture(const std::string& path) = 0;

  void info(const std::string& text) { message(Severity::Info, text); }
  void warning(const std::string& text) { message(Severity::Warning, text); }
  void error(const std::string& text) { message(Severity::Error, text); }
};

}  // namespace kestrova::progress
