#include "workflow/region_presets.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace kestrova {
namespace {

TEST(RegionPresets, TwentyEntriesInOrderWithUserDefinedLast) {
  ASSERT_EQ(RegionPresets.size(), 20u);
  EXPECT_EQ(RegionPresets[0].name, "Europe");
  EXPECT_EQ(RegionPresets[14].name, "Kamchatka");
  EXPECT_EQ(RegionPresets[19].name, "-User Defined-");
  EXPECT_FALSE(RegionPresets[19].bounds);
  const Bounds& kamchatka = *RegionPresets[14].bounds;
  EXPECT_EQ((std::array{kamchatka.north, kamchatka.south, kamchatka.west, kamchatka.east}),
            (std::array{65, 47, 153, 171}));
}

TEST(RegionPresets, EveryPresetIsASaneBox) {
  for (int i = 0; i < 19; ++i) {
    const Bounds& b = *RegionPresets[i].bounds;
    EXPECT_GT(b.north, b.south) << RegionPresets[i].name;
    EXPECT_LT(b.west, b.east) << RegionPresets[i].name;
    EXPECT_LE(b.north, 90);
    EXPECT_GE(b.south, -90);
  }
  const Bounds& canadaWest = *RegionPresets[6].bounds;
  EXPECT_EQ(canadaWest.east, -90);
  EXPECT_EQ(canadaWest.east - canadaWest.west, 40);
}

TEST(BoundLists, LatitudesAndLongitudesInFiveDegreeSteps) {
  auto lat = latitudeList();
  ASSERT_EQ(lat.size(), 35u);
  EXPECT_EQ(lat.front(), "90");
  EXPECT_EQ(lat[18], "0");
  EXPECT_EQ(lat.back(), "-80");
  auto lon = longitudeList();
  ASSERT_EQ(lon.size(), 73u);
  EXPECT_EQ(lon.front(), "-180");
  EXPECT_EQ(lon[36], "0");
  EXPECT_EQ(lon.back(), "180");
}

struct RuleCase {
  BoundSide changed;
  std::array<std::string, 4> lists;  // north, south, west, east
  std::string edit;
};

class BoundRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(BoundRule, GivesTheEditText) {
  EXPECT_EQ(applyBoundRule(GetParam().changed, GetParam().lists), GetParam().edit);
}

INSTANTIATE_TEST_SUITE_P(Table, BoundRule,
                         ::testing::Values(
                             // the list's own text when the order holds
                             RuleCase{kNorth, {"60", "40", "-10", "10"}, "60"},
                             RuleCase{kSouth, {"60", "40", "-10", "10"}, "40"},
                             RuleCase{kWest, {"60", "40", "-10", "10"}, "-10"},
                             RuleCase{kEast, {"60", "40", "-10", "10"}, "10"},
                             RuleCase{kNorth, {"+60", "40", "", ""}, "+60"},  // copied unchanged
                             // equal values take the adjustment
                             RuleCase{kNorth, {"40", "40", "0", "0"}, "45"},
                             RuleCase{kSouth, {"60", "60", "0", "0"}, "55"},
                             RuleCase{kWest, {"0", "0", "30", "30"}, "25"},
                             RuleCase{kEast, {"0", "0", "30", "30"}, "35"},
                             // crossed values, and no limit to the lists' ranges
                             RuleCase{kEast, {"0", "0", "50", "10"}, "55"},
                             RuleCase{kNorth, {"90", "90", "0", "0"}, "95"},
                             RuleCase{kEast, {"0", "0", "180", "180"}, "185"},
                             RuleCase{kSouth, {"-80", "-75", "0", "0"}, "-85"}));

TEST(BoundRule, TextThatIsNoNumberIsReportedChangedListFirst) {
  auto message = [](BoundSide side, std::array<std::string, 4> lists) {
    try {
      applyBoundRule(side, lists);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message(kEast, {"0", "0", "-", "x"}), "'x' is not a valid integer value");
  EXPECT_EQ(message(kWest, {"0", "0", "-", "x"}), "'-' is not a valid integer value");
  EXPECT_EQ(message(kNorth, {"60", "4 0", "0", "0"}), "'4 0' is not a valid integer value");
}

TEST(CanvasPresets, PairWidthsWithHeights) {
  EXPECT_EQ(CanvasPresets[0].caption, "  800 \u00d7   600");
  EXPECT_EQ(CanvasPresets[2].width, "1600");
  EXPECT_EQ(CanvasPresets[2].height, "1200");
  EXPECT_EQ(CanvasPresets[3].caption, "2400 \u00d7 1800");
}

}  // namespace
}  // namespace kestrova
