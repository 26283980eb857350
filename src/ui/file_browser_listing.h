#pragma once
// What the file list shows: the filter selector's entries, its masks, and the files of a folder
// that a mask lets through. No widgets here.
#include <string>
#include <string_view>
#include <vector>

namespace kestrova::ui {

// The filter text the window gives its filter selector at start-up.
inline constexpr const char* kDataFileFilter =
    "All|*.HRP;*.HPT;*.LAC;*.L1B;*.L1F;*.GAC|*.HRP|*.HRP|*.HPT|*.HPT|*.LAC|*.LAC|*.L1B|*.L1B|"
    "*.L1F|*.L1F|*.GAC|*.GAC|Other (*.*)|*.*|";

struct FilterEntry {
  std::string displayName;
  std::string mask;
};

// Pairs of display name and mask separated by "|"; a trailing "|" ends the text, and a display
// name without its mask is dropped.
std::vector<FilterEntry> parseFilter(std::string_view filterText);

// Whether name matches one of the ";"-separated patterns of mask, without regard to letter case.
// "*" stands for any run of characters, "?" for one. As data-file masks always have, a pattern
// ending in ".*" also takes names without any extension, so "*.*" lists every file.
bool matchesMask(std::string_view name, std::string_view mask);

// The ordinary, non-hidden files of folder that match mask, sorted by name without regard to
// case. A folder that cannot be read lists nothing.
std::vector<std::string> listedFiles(const std::string& folder, std::string_view mask);

}  // namespace kestrova::ui
