// The panel at start-up without a configuration file, and the layout it is built with.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

#include "ui/support/panel_fixture.h"
#include "workflow/text_pieces.h"

namespace kestrova::testing {
namespace {

std::string gridName(const char* prefix, int row) {
  return prefix + TwoDigitNumber(row);
}

using StartWithoutFile = PanelTest;

TEST_F(StartWithoutFile, RunsOnTheDefaults) {
  start();
  EXPECT_TRUE(dialogs.calls().empty());
  for (const char* folder : {"flocation0", "flocation1", "flocation2", "flocation3"})
    EXPECT_EQ(text(folder), "") << folder;
  EXPECT_EQ(session.settings.decoderOptions, "");
  EXPECT_EQ(session.settings.remapOptions, "");
  for (const char* prefix : {"chan0", "corr0", "bmp0"})
    for (int row = 0; row < kProductCount; ++row)
      EXPECT_FALSE(box(gridName(prefix, row).c_str())->isChecked()) << gridName(prefix, row);
  EXPECT_TRUE(radio("ostrellepic005")->isChecked());
  EXPECT_EQ(session.settings.remapSource, 5);
  EXPECT_FALSE(box("CloseHRPT")->isChecked());
  EXPECT_FALSE(box("MinHRPT")->isChecked());
  const char* boundTexts[][2] = {{"coord0", "60"},   {"coord1", "40"},     {"coord2", "-10"},
                                 {"coord3", "10"},   {"LatLon0", "60"},    {"LatLon1", "40"},
                                 {"LatLon2", "-10"}, {"LatLon3", "10"},    {"gsize0", "800"},
                                 {"gsize1", "600"},  {"xred", "1"},        {"xgrn", "2"},
                                 {"xblu", "4"},      {"Regions", "Europe"}};
  for (auto [name, expected] : boundTexts) EXPECT_EQ(text(name), expected) << name;
  for (const char* name :
       {"coord0", "coord1", "coord2", "coord3", "LatLon0", "LatLon1", "LatLon2", "LatLon3"})
    EXPECT_FALSE(find(name)->isEnabled()) << name;
  EXPECT_FALSE(find("setRGB")->isHidden()) << "the channel chooser keeps its design state";
  EXPECT_EQ(session.direction, "south");
  EXPECT_EQ(session.settings.region, 0);
  EXPECT_EQ(session.settings.projection, 0);
}

TEST_F(StartWithoutFile, LeavesTheProjectionListEmptyShowingPolar) {
  start();
  EXPECT_EQ(list("Project")->count(), 0);
  EXPECT_EQ(panel->projectionText(), "Polar");
  EXPECT_EQ(panel->mapRequest().projection, "Polar");
}

TEST_F(StartWithoutFile, FillsTheBoundAndRegionListsButKeepsTheDefaultTexts) {
  start();
  EXPECT_EQ(list("LatLon0")->count(), 35);
  EXPECT_EQ(list("LatLon1")->itemText(34), "-80");
  EXPECT_EQ(list("LatLon2")->count(), 73);
  EXPECT_EQ(list("LatLon3")->itemText(0), "-180");
  EXPECT_EQ(list("Regions")->count(), 20);
  EXPECT_EQ(list("Regions")->itemText(19), "-User Defined-");
  EXPECT_EQ(list("xblu")->count(), 5);
  EXPECT_EQ(list("xblu")->itemText(4), "5");
}

using PanelLayout = PanelTest;

TEST_F(PanelLayout, IsAHiddenChildWithItsCaptions) {
  start();
  EXPECT_EQ(panel->objectName(), "DialogFrame");
  EXPECT_TRUE(panel->isHidden());
  EXPECT_EQ(panel->size(), QSize(504, 440));
  EXPECT_EQ(find<QPushButton>("Button1")->text(), "&Reset checkboxes to defalts");
  EXPECT_EQ(find<QPushButton>("SaveButton")->toolTip(), "Save details and close screen");
  EXPECT_EQ(find<QPushButton>("QuitConfig")->toolTip(), "Close screen without saving");
  EXPECT_EQ(find("Dir002")->toolTip(), "Double-click a folder to select it");
  EXPECT_EQ(radio("canvas01")->text(), QString::fromUtf8("  800 \u00d7   600"));
  EXPECT_EQ(radio("canvas02")->text(), QString::fromUtf8("1200 \u00d7  900"));
  EXPECT_EQ(box("chan010")->text(), "Veg Indx");
  EXPECT_EQ(box("corr010")->text(), "");
  EXPECT_EQ(find<QGroupBox>("GroupBox1")->title(), "Ostrelle batch commands");
  EXPECT_EQ(find<QLabel>("Label3")->text(), "Folder containing the Varnock.exe program");
}

TEST_F(PanelLayout, UsesTheFontsAndColoursOfTheDesign) {
  start();
  EXPECT_EQ(panel->font().pixelSize(), 11);
  EXPECT_EQ(find("flocation0")->font().pixelSize(), 11);
  QFont groupFont = find("GroupBox2")->font();
  EXPECT_EQ(groupFont.pixelSize(), 12);
  EXPECT_TRUE(groupFont.bold());
  EXPECT_FALSE(box("chan003")->font().bold());
  EXPECT_EQ(box("chan003")->font().pixelSize(), 12);
  EXPECT_TRUE(find("Label5")->font().underline());
  EXPECT_TRUE(find("coord2")->font().bold());
  EXPECT_FALSE(find("gsize0")->font().bold());
  for (const char* name : {"LatLon0", "LatLon1", "LatLon2", "LatLon3"})
    EXPECT_EQ(list(name)->palette().color(QPalette::Base), QColor(247, 227, 168)) << name;
  EXPECT_NE(list("Regions")->palette().color(QPalette::Base), QColor(247, 227, 168));
}

TEST_F(PanelLayout, PlacesControlsWhereTheLayoutSays) {
  start();
  EXPECT_EQ(find("flocation1")->geometry(), QRect(10, 54, 309, 21));
  EXPECT_EQ(find("Panel2")->geometry(), QRect(368, 6, 127, 182));
  EXPECT_EQ(find("ostrellepic009")->geometry(), QRect(8, 145, 25, 18));
  EXPECT_EQ(find("Area")->geometry(), QRect(150, 26, 104, 105));
  EXPECT_EQ(find("QuitConfig")->geometry(), QRect(455, 419, 38, 17));
}

// A map of either size fills the whole box: the black map reaches every corner.
TEST_F(PanelLayout, StretchesEveryRegionMapOverTheWholeArea) {
  start();
  openPanel();
  for (int region : {0, 16}) {
    session.settings.region = region;
    openPanel();
    QImage shown = find("Area")->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(104, 105));
    for (QPoint corner : {QPoint(1, 1), QPoint(102, 1), QPoint(1, 103), QPoint(102, 103)})
      EXPECT_LT(qGray(shown.pixel(corner)), 80)
          << "region " << region << " corner " << corner.x() << "," << corner.y();
  }
}

using ProductGrid = PanelTest;

// Every one of the 48 controls reaches the flag of its own row.
TEST_F(ProductGrid, EachColumnHandlerTakesTheRowFromTheControlName) {
  start();
  openPanel();
  struct Column {
    const char* prefix;
    ProductFlags StoredSettings::*flags;
  };
  const Column columns[] = {{"chan0", &StoredSettings::productEnabled},
                            {"corr0", &StoredSettings::productCorrected},
                            {"bmp0", &StoredSettings::productBitmap}};
  for (const Column& column : columns) {
    for (int row = 0; row < kProductCount; ++row) {
      ProductFlags before = session.settings.*column.flags;
      click(gridName(column.prefix, row).c_str());
      ProductFlags expected = before;
      expected[row] = 1 - expected[row];
      EXPECT_EQ(session.settings.*column.flags, expected) << gridName(column.prefix, row);
    }
  }
  for (int row = 0; row < kProductCount; ++row) {
    click(gridName("ostrellepic0", row).c_str());
    EXPECT_EQ(session.settings.remapSource, row);
  }
}

TEST_F(ProductGrid, RemapButtonsFormOneGroupAndLeaveTheProductBoxesAlone) {
  start();
  openPanel();
  click("ostrellepic009");
  for (int row = 0; row < kProductCount; ++row)
    EXPECT_EQ(radio(gridName("ostrellepic0", row).c_str())->isChecked(), row == 9);
  EXPECT_FALSE(box("chan009")->isChecked());
  EXPECT_FALSE(box("bmp009")->isChecked());
  EXPECT_EQ(session.settings.productEnabled[9], 0);
}

TEST_F(ProductGrid, OnlyTheRgbBoxShowsAndHidesTheChannelChooser) {
  start();
  openPanel();
  QWidget* chooser = find("setRGB");
  const char* others[] = {"chan005", "chan007", "corr006", "bmp006"};
  click("chan006");
  EXPECT_TRUE(chooser->isVisible());
  for (const char* other : others) click(other);
  EXPECT_TRUE(chooser->isVisible());
  click("chan006");
  EXPECT_FALSE(chooser->isVisible());
  for (const char* other : others) click(other);
  EXPECT_FALSE(chooser->isVisible());
}

}  // namespace
}  // namespace kestrova::testing
