// Ostrelle.exe: puts a decoded picture onto a map through its location file.
#include <string>
#include <vector>

#include "ostrelle/ostrelle_run.h"
#include "progress/progress_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  kestrova::progress::RunOptions options;
  options.title = kestrova::ostrelle::windowTitle(arguments);
  return kestrova::progress::runWithProgress(
      argc, argv, options, [&](kestrova::progress::Reporter& reporter) {
        return kestrova::ostrelle::runOstrelle(arguments, reporter);
      });
}
