#include "settings/stored_settings.h"

namespace kestrova {

const std::array<const char*, kProjectionCount> ProjectionNames = {"Polar", "Linear", "Mercator"};

}  // namespace kestrova
