// The settings of a newcomer's first workspace: the data folder passes/, the image folder
// images/, the two programs' folders, the Europe region and a decoder request that closes the
// decoder's window when done, so the decoded preview shows at once.
#pragma once

#include <filesystem>

#include "settings/stored_settings.h"

namespace kestrova::tools {

StoredSettings firstSettings(const std::filesystem::path& workspace,
                             const std::filesystem::path& decoderFolder,
                             const std::filesystem::path& remapperFolder);

}  // namespace kestrova::tools
