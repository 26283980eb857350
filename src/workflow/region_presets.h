#pragma once
// The map regions the configuration panel offers, the bound lists beside the four bound edits,
// the rules that keep north above south and west below east, and the canvas presets.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/stored_settings.h"

namespace kestrova {

struct Bounds {
  int north, south, west, east;  // whole degrees; negative south of the equator, west of Greenwich
};

struct RegionPreset {
  std::string_view name;
  std::optional<Bounds> bounds;  // none for "-User Defined-"
};

extern const std::array<RegionPreset, kRegionCount> RegionPresets;

// 90 down to -80 in steps of 5 (35 entries) and -180 up to 180 in steps of 5 (73 entries).
std::vector<std::string> latitudeList();
std::vector<std::string> longitudeList();

// The four bound lists, in the order of their edits coord0..coord3.
enum BoundSide : int { kNorth = 0, kSouth = 1, kWest = 2, kEast = 3 };

// The new text of the edit beside the changed list: the list's own text when it keeps north above
// south (or west below east) against its partner list, else the partner's value moved five
// degrees. Both texts are read as whole numbers, the changed one first; one that is not raises
// the "'%s' is not a valid integer value" error.
std::string applyBoundRule(BoundSide changed, const std::array<std::string, 4>& listTexts);

struct CanvasPreset {
  std::string_view caption;  // the radio button's caption
  std::string_view width, height;
};

extern const std::array<CanvasPreset, 4> CanvasPresets;

}  // namespace kestrova
