#include "ui/help_file_location.h"

namespace kestrova::ui {

std::string helpFilePath(const std::string& programFolder,
                         const std::filesystem::path& executableFolder) {
  const std::string local = programFolder + kHelpFileName;
  std::error_code ec;
  if (std::filesystem::is_regular_file(local, ec)) return local;
  const std::filesystem::path installed =
      (executableFolder / kInstalledDataFromBin / kHelpFileName).lexically_normal();
  if (std::filesystem::is_regular_file(installed, ec)) return installed.string();
  return local;
}

}  // namespace kestrova::ui
