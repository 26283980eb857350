#include "workflow/region_presets.h"

#include "base/decimal.h"

namespace kestrova {

const std::array<RegionPreset, kRegionCount> RegionPresets = {{
    {"Europe", Bounds{80, 35, -10, 50}},
    {"UK/North Sea", Bounds{65, 45, -15, 5}},
    {"Scandinavia", Bounds{80, 55, 5, 40}},
    {"Mediterranean", Bounds{50, 30, -10, 40}},
    {"Canada (E)", Bounds{85, 45, -90, -50}},
    {"Canada (C)", Bounds{85, 45, -110, -70}},
    // Spans 40 degrees like its two eastern neighbours.
    {"Canada (W)", Bounds{80, 55, -130, -90}},
    {"Caribbean", Bounds{40, 10, -100, -60}},
    {"USA (E)", Bounds{55, 20, -90, -40}},
    {"USA (C)", Bounds{55, 20, -100, -60}},
    {"USA (W)", Bounds{55, 20, -120, -80}},
    {"Australasia", Bounds{0, -45, 110, 150}},
    {"SE Asia", Bounds{30, -10, 90, 130}},
    {"Japan", Bounds{50, 30, 120, 140}},
    {"Kamchatka", Bounds{65, 47, 153, 171}},
    {"S America", Bounds{15, -25, -80, -40}},
    {"India", Bounds{40, 5, 50, 95}},
    {"N Africa", Bounds{40, 0, -20, 50}},
    {"S Africa", Bounds{5, -35, 10, 50}},
    {"-User Defined-", std::nullopt},
}};

const std::array<CanvasPreset, 4> CanvasPresets = {{
    {"  800 \u00d7   600", "800", "600"},
    {"1200 \u00d7  900", "1200", "900"},
    {"1600 \u00d7 1200", "1600", "1200"},
    {"2400 \u00d7 1800", "2400", "1800"},
}};

namespace {

std::vector<std::string> steps(int from, int to, int step) {
  std::vector<std::string> list;
  for (int value = from; step > 0 ? value <= to : value >= to; value += step)
    list.push_back(decimalText(value));
  return list;
}

struct BoundRule {
  BoundSide partner;
  bool mustExceedPartner;  // north > south, east > west; otherwise changed < partner
  int adjustment;          // added to the partner when the test fails
};

constexpr std::array<BoundRule, 4> kBoundRules = {{
    {kSouth, true, +5},
    {kNorth, false, -5},
    {kEast, false, -5},
    {kWest, true, +5},
}};

}  // namespace

std::vector<std::string> latitudeList() {
  return steps(90, -80, -5);
}
std::vector<std::string> longitudeList() {
  return steps(-180, 180, 5);
}

std::string applyBoundRule(BoundSide changed, const std::array<std::string, 4>& listTexts) {
  const BoundRule& rule = kBoundRules[changed];
  std::int64_t value = toInt32(listTexts[changed]);
  std::int64_t partner = toInt32(listTexts[rule.partner]);
  bool holds = rule.mustExceedPartner ? value > partner : value < partner;
  return holds ? listTexts[changed] : decimalText(partner + rule.adjustment);
}

}  // namespace kestrova
