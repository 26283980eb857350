// Varnock.exe: decodes one AVHRR pass into pictures and a location file, showing its progress.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "progress/progress_run.h"
#include "varnock/decoder_options.h"
#include "varnock/decoder_run.h"

int main(int argc, char** argv) {
  using namespace kestrova;
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
