// The region presets, the bound lists and their rules, the projection and the canvas presets.
#include "ui/support/panel_fixture.h"

namespace kestrova::testing {
namespace {

const char* const kBoundControls[] = {"coord0",  "coord1",  "coord2",  "coord3",
                                      "LatLon0", "LatLon1", "LatLon2", "LatLon3"};

class MapControls : public PanelTest {
 protected:
  void SetUp() override {
    start();
    openPanel();
  }
  std::vector<std::string> boundTexts() const {
    std::vector<std::string> texts;
    for (const char* name : kBoundControls) texts.push_back(text(name));
    return texts;
  }
  bool boundsEnabled() const {
    int enabled = 0;
    for (const char* name : kBoundControls) enabled += find(name)->isEnabled();
    EXPECT_TRUE(enabled == 0 || enabled == 8) << enabled << " of the eight bound controls enabled";
    return enabled == 8;
  }
  void userDefined() { pick("Regions", "-User Defined-"); }
};

TEST_F(MapControls, RegionPresetWritesItsBoundsOffTheListGridToo) {
  pick("Regions", "Kamchatka");
  EXPECT_EQ(session.settings.region, 14);
  EXPECT_EQ(boundTexts(),
            (std::vector<std::string>{"65", "47", "153", "171", "65", "47", "153", "171"}));
  EXPECT_FALSE(boundsEnabled());
  EXPECT_GT(session.DirtyCounter, 0);
  EXPECT_EQ(panel->mapRequest().lonEast, "171");
}

TEST_F(MapControls, UserDefinedKeepsTheBoundsAndEnablesThemUntilAPresetIsPicked) {
  pick("Regions", "India");
  userDefined();
  EXPECT_EQ(session.settings.region, 19);
  EXPECT_EQ(boundTexts(), (std::vector<std::string>{"40", "5", "50", "95", "40", "5", "50", "95"}));
  EXPECT_TRUE(boundsEnabled());
  pick("Regions", "S Africa");
  EXPECT_EQ(boundTexts(),
            (std::vector<std::string>{"5", "-35", "10", "50", "5", "-35", "10", "50"}));
  EXPECT_FALSE(boundsEnabled());
}

TEST_F(MapControls, OpeningShowsTheStoredRegion) {
  session.settings.region = 19;
  openPanel();
  EXPECT_EQ(text("Regions"), "-User Defined-");
  EXPECT_TRUE(boundsEnabled());
  session.settings.region = 3;
  openPanel();
  EXPECT_EQ(text("Regions"), "Mediterranean");
  EXPECT_FALSE(boundsEnabled());
  EXPECT_EQ(session.DirtyCounter, 0);
  EXPECT_EQ(text("coord0"), "60") << "showing a region writes no bounds";
}

TEST_F(MapControls, RegionListIsPickOnly) {
  EXPECT_FALSE(list("Regions")->isEditable());
  EXPECT_FALSE(list("Project")->isEditable());
  EXPECT_TRUE(list("LatLon0")->isEditable());
  EXPECT_TRUE(list("xred")->isEditable());
}

// Each case: the list picked, its new entry, and the texts of the four lists after it.
struct BoundCase {
  const char* list;
  const char* entry;
  const char* edit;
  const char* expected;
};

TEST_F(MapControls, BoundListsKeepNorthAboveSouthAndWestBelowEast) {
  userDefined();
  const BoundCase cases[] = {{"LatLon1", "40", "coord1", "40"},  {"LatLon0", "40", "coord0", "45"},
                             {"LatLon0", "60", "coord0", "60"},  {"LatLon1", "60", "coord1", "55"},
                             {"LatLon2", "30", "coord2", "5"},   {"LatLon3", "30", "coord3", "35"},
                             {"LatLon2", "30", "coord2", "25"},  {"LatLon2", "50", "coord2", "25"},
                             {"LatLon3", "10", "coord3", "55"},  {"LatLon1", "90", "coord1", "55"},
                             {"LatLon0", "90", "coord0", "95"},  {"LatLon2", "180", "coord2", "5"},
                             {"LatLon3", "180", "coord3", "185"}};
  for (const BoundCase& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " := " + c.entry);
    int before = session.DirtyCounter;
    pick(c.list, c.entry);
    EXPECT_EQ(text(c.edit), c.expected);
    EXPECT_EQ(text(c.list), c.entry) << "the rules never change a list";
    EXPECT_GT(session.DirtyCounter, before);
  }
  EXPECT_TRUE(dialogs.calls().empty());
}

// The rules compare the lists, not the edits: an adjusted edit does not move the partner's test.
TEST_F(MapControls, BoundRulesCompareTheListsNotTheEdits) {
  userDefined();
  pick("LatLon1", "50");
  pick("LatLon0", "50");
  EXPECT_EQ(text("coord0"), "55");
  pick("LatLon1", "45");
  EXPECT_EQ(text("coord1"), "45") << "45 < the north list's 50, though the north edit holds 55";
}

TEST_F(MapControls, TypingANegativeBoundReportsTheLoneMinusFirst) {
  userDefined();
  QLineEdit* west = list("LatLon2")->lineEdit();
  west->selectAll();
  int before = session.DirtyCounter;
  std::string coordBefore = text("coord2");
  type(west, "-");
  EXPECT_EQ(dialogs.errors(), std::vector<std::string>{"'-' is not a valid integer value."});
  EXPECT_EQ(text("coord2"), coordBefore);
  EXPECT_EQ(session.DirtyCounter, before);
  type(west, "25");
  EXPECT_EQ(text("coord2"), "-25");
  EXPECT_EQ(dialogs.errors().size(), 1u);
}

TEST_F(MapControls, BoundControlsTakeNoInputForAPreset) {
  type(list("LatLon0")->lineEdit(), "5");
  type(edit("coord0"), "5");
  EXPECT_EQ(boundTexts()[0], "60");
  EXPECT_EQ(boundTexts()[4], "60");
  EXPECT_EQ(session.DirtyCounter, 0);
}

TEST_F(MapControls, CanvasPresetsSetBothSizes) {
  const char* presets[][3] = {{"canvas03", "1600", "1200"},
                              {"canvas02", "1200", "900"},
                              {"canvas04", "2400", "1800"},
                              {"canvas01", "800", "600"}};
  for (auto [name, width, height] : presets) {
    click(name);
    EXPECT_EQ(text("gsize0"), width) << name;
    EXPECT_EQ(text("gsize1"), height) << name;
  }
  EXPECT_GT(session.DirtyCounter, 0);
}

TEST_F(MapControls, ProjectionPickSetsTheSettingAndTheRequestedName) {
  StoredSettings stored;
  stored.projection = 1;
  storeConfig(stored);
  quit();
  openPanel();
  EXPECT_EQ(panel->projectionText(), "Linear");
  pick("Project", "Mercator");
  EXPECT_EQ(session.settings.projection, 2);
  EXPECT_EQ(panel->mapRequest().projection, "Mercator");
  EXPECT_GT(session.DirtyCounter, 0);
}

TEST_F(MapControls, AProjectionOutsideTheListLeavesItsTextEmpty) {
  StoredSettings stored;
  stored.projection = 3;
  storeConfig(stored);
  quit();
  EXPECT_EQ(list("Project")->count(), 3);
  EXPECT_EQ(panel->projectionText(), "");
}

}  // namespace
}  // namespace kestrova::testing
