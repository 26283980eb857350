// Runs the real Ostrelle.exe (offscreen, as ctest sets it) and collects what it says.
#pragma once

#include <sys/wait.h>
#include <cstdio>
#include <string>
#include <vector>

namespace kestrova::testing {

struct ProgramRun {
  int status = -1;
  std::string output;  // standard error and standard output
};

inline std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

inline ProgramRun runOstrelle(const std::vector<std::string>& arguments) {
  std::string command = "QT_QPA_PLATFORM=offscreen " + shellQuoted(OSTRELLE_EXE);
  for (const std::string& a : arguments) command += " " + shellQuoted(a);
  command += " 2>&1";
  ProgramRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    run.output.append(buffer, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// The front end's arguments for one map.
inline std::vector<std::string> mapArguments(const std::string& lcn, const std::string& in,
                                             const std::string& out, const std::string& north,
                                             const std::string& south, const std::string& west,
                                             const std::string& east, const std::string& width,
                                             const std::string& height, const std::string& proj) {
  return {"-LCN:" + lcn,       "-IN:" + in,     "-OUT:" + out,   "-lat1:" + north,
          "-lat2:" + south,    "-lon1:" + west, "-lon2:" + east, "-width:" + width,
          "-height:" + height, "-proj:" + proj};
}

}  // namespace kestrova::testing
