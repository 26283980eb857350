#pragma once
// Where the embedded pictures are found in the Qt resource system.
#include <string>

namespace kestrova {

inline constexpr const char* kProgramIconResource = ":/kestrova.png";

// ":/regions/remapNN.jpg" for region 0-19.
std::string regionMapResource(int region);

}  // namespace kestrova
