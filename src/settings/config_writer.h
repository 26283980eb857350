#pragma once
// Writing kestrova.cfg: 56 lines, each ended by CR LF, texts as they stand, integers in decimal.
#include <string>

#include "settings/stored_settings.h"

namespace kestrova {

std::string formatConfig(const StoredSettings& settings);

}  // namespace kestrova
