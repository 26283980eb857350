// Varnock.exe: decodes one AVHRR pass into pictures and a location file, showing its progress.
#include <sys/prctl.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "progress/progress_run.h"
#include "varnock/decoder_options.h"
#include "varnock/decoder_run.h"

int main(int argc, char** argv) {
  using namespace kestrova;
  // One pass, once: the memory this process touches is fresh. On virtual machines that hand idle
  // memory back to the host, fresh 2 MiB pages are the ones handed back, and each costs far more
  // to fault in again than its 512 small pages (88 MB of counts: 110-550 ms against 60-280 ms),
  // so this process does without the huge pages the large arrays would otherwise ask for.
  ::prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0);
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  progress::RunOptions run{"Varnock", false, false};
  std::optional<varnock::DecoderOptions> options;
  std::string usage;
  try {
    options = varnock::parseDecoderOptions(arguments);
    run.title += " - " + std::filesystem::path(options->dataFile).filename().string();
    run.closeWhenDone = options->close;
    run.startMinimised = options->minimised;
  } catch (const varnock::UsageError& e) {
    usage = e.what();
  }
  return progress::runWithProgress(argc, argv, run, [&](progress::Reporter& report) {
    if (!options) {
      report.error(usage);
      report.info(varnock::usageText());
      return 2;
    }
    return varnock::runDecoder(*options, {varnock::runningProgramFolder()}, report);
  });
}
