#pragma once
#include <filesystem>

namespace kestrova::pictures {

// Writes regions/remap00.jpg ... remap19.jpg into folder: an outline map of each preset region,
// and the "User Defined Region" card for the last entry.
void writeRegionMaps(const std::filesystem::path& folder);

}  // namespace kestrova::pictures
