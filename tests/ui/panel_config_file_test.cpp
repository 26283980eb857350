// Reading kestrova.cfg into the panel: every line with the consequences of the controls' handlers,
// and the reads that stop or carry on past a bad value.
#include <QFrame>

#include "settings/config_layout.h"
#include "ui/support/panel_fixture.h"

namespace kestrova::testing {
namespace {

// Replaces one line (1-56) of a formatted configuration file.
std::string withLine(const StoredSettings& stored, int line, const std::string& value) {
  std::string bytes = formatConfig(stored);
  std::size_t start = 0;
  for (int i = 1; i < line; ++i) start = bytes.find("\r\n", start) + 2;
  return bytes.replace(start, bytes.find("\r\n", start) - start, value);
}

class StoredFileRead : public PanelTest {
 protected:
  void SetUp() override { std::filesystem::create_directory(dataFolder()); }
  StoredSettings stored() const {
    StoredSettings s;
    s.dataFolder = dataFolder();
    s.decoderFolder = "/opt/varnock/";
    s.decoderOptions = "x.jpg  xapt.jpg -close";
    s.imageFolder = "/srv/images with spaces  ";
    s.remapperFolder = "/opt/ostrelle/";
    s.remapOptions = " -lat1:1";
    s.productEnabled = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    s.productCorrected = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    s.productBitmap = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    s.rgbRed = "3";
    s.rgbGreen = "5";
    s.rgbBlue = "x";
    s.latNorth = "70";
    s.latSouth = "47";
    s.lonWest = "-20";
    s.lonEast = "171";
    s.canvasWidth = "1200";
    s.canvasHeight = "700";
    s.closeDecoder = 1;
    s.runMinimised = 0;
    s.projection = 2;
    s.remapSource = 3;
    s.region = 14;
    return s;
  }
  std::string dataFolder() const { return program.path().string() + "/data/"; }
};

TEST_F(StoredFileRead, FillsTheSettingsAndTheControlsLineByLine) {
  startWith(stored());
  EXPECT_TRUE(dialogs.calls().empty());
  EXPECT_EQ(text("flocation0"), dataFolder());
  EXPECT_EQ(text("flocation1"), "/srv/images with spaces  ");
  EXPECT_EQ(text("flocation2"), "/opt/varnock/");
  EXPECT_EQ(text("flocation3"), "/opt/ostrelle/");
  EXPECT_EQ(session.activeImageFolder, "/srv/images with spaces  ");
  EXPECT_EQ(session.settings.decoderOptions, "x.jpg  xapt.jpg -close");
  EXPECT_EQ(session.settings.remapOptions, " -lat1:1");
  EXPECT_EQ(host.pointedAt, std::vector<std::string>{dataFolder()});
  EXPECT_EQ(host.dataFolderLabel, dataFolder());
  const char* texts[][2] = {{"xred", "3"},     {"xgrn", "5"},     {"xblu", "x"},
                            {"coord0", "70"},  {"LatLon0", "70"}, {"coord1", "47"},
                            {"LatLon1", "47"}, {"coord3", "171"}, {"LatLon3", "171"},
                            {"gsize0", "1200"}};
  for (auto [name, expected] : texts) EXPECT_EQ(text(name), expected) << name;
  EXPECT_TRUE(box("chan011")->isChecked());
  EXPECT_TRUE(box("corr001")->isChecked());
  EXPECT_TRUE(box("bmp002")->isChecked());
  EXPECT_FALSE(box("chan001")->isChecked());
  EXPECT_TRUE(box("CloseHRPT")->isChecked());
  EXPECT_FALSE(box("MinHRPT")->isChecked());
  EXPECT_EQ(session.settings.closeDecoder, 1);
  EXPECT_EQ(list("Project")->count(), 3);
  EXPECT_EQ(panel->projectionText(), "Mercator");
  EXPECT_EQ(session.settings.region, 14);
  EXPECT_EQ(text("Regions"), "Europe") << "the region display follows only when the panel opens";
  openPanel();
  EXPECT_EQ(text("Regions"), "Kamchatka");
}

TEST_F(StoredFileRead, ChecksTheRemapSourcesEnableAndBmpBoxes) {
  startWith(stored());
  EXPECT_TRUE(radio("ostrellepic003")->isChecked());
  EXPECT_TRUE(box("chan003")->isChecked());
  EXPECT_TRUE(box("bmp003")->isChecked());
  EXPECT_EQ(session.settings.productEnabled[3], 1);
  EXPECT_EQ(session.settings.productBitmap[3], 1);
  EXPECT_EQ(session.settings.productCorrected[3], 0);
}

TEST_F(StoredFileRead, PresetWidthBringsItsHeightAtStartUp) {
  startWith(stored());
  EXPECT_TRUE(radio("canvas02")->isChecked());
  EXPECT_EQ(text("gsize1"), "900");
}

TEST_F(StoredFileRead, PresetButtonAlreadyCheckedKeepsTheStoredHeight) {
  startWith(stored());
  StoredSettings again = stored();
  again.canvasHeight = "555";
  storeConfig(again);
  openPanel();
  quit();
  EXPECT_TRUE(dialogs.calls().empty());
  EXPECT_EQ(text("gsize0"), "1200");
  EXPECT_EQ(text("gsize1"), "555");
}

TEST_F(StoredFileRead, ShowsTheChannelChooserExactlyWhenRgbIsEnabled) {
  StoredSettings s = stored();
  startWith(s);
  EXPECT_FALSE(find("setRGB")->isHidden());
  s.productEnabled[6] = 0;
  storeConfig(s);
  openPanel();
  quit();
  EXPECT_TRUE(find("setRGB")->isHidden());
}

TEST_F(StoredFileRead, KeepsFlagValuesOtherThanZeroAndOne) {
  StoredSettings s = stored();
  s.productEnabled[2] = 7;
  s.productCorrected[4] = -3;
  s.productBitmap[8] = 2;
  startWith(s);
  EXPECT_EQ(session.settings.productEnabled[2], 7);
  EXPECT_FALSE(box("chan002")->isChecked()) << "an enable value other than 0 or 1 leaves the box";
  EXPECT_EQ(session.settings.productCorrected[4], -3);
  EXPECT_TRUE(box("corr004")->isChecked());
  EXPECT_EQ(session.settings.productBitmap[8], 2);
  EXPECT_TRUE(box("bmp008")->isChecked());
}

// A width that is no number only fails to match a preset; the lines after it still count.
TEST_F(StoredFileRead, CarriesOnPastAWidthThatIsNoNumber) {
  StoredSettings s = stored();
  s.canvasWidth = "wide";
  s.canvasHeight = "333";
  s.remapSource = 2;
  s.region = 7;
  startWith(s);
  EXPECT_TRUE(dialogs.calls().empty());
  EXPECT_EQ(text("gsize0"), "wide");
  EXPECT_EQ(text("gsize1"), "333");
  EXPECT_EQ(session.settings.region, 7);
  EXPECT_TRUE(radio("ostrellepic002")->isChecked());
  EXPECT_EQ(panel->projectionText(), "Mercator");
  for (const char* preset : {"canvas01", "canvas02", "canvas03", "canvas04"})
    EXPECT_FALSE(radio(preset)->isChecked()) << preset;
}

TEST_F(StoredFileRead, StopsAtARemapSourceOutsideTheProductsWithAMessage) {
  storeConfigBytes(withLine(stored(), ConfigLine::remapSource, "12"));
  start();
  EXPECT_EQ(dialogs.errors(),
            std::vector<std::string>{"kestrova.cfg line 55: remap source 12 is outside 0-11."});
  EXPECT_EQ(session.settings.remapSource, 5);
  EXPECT_EQ(session.settings.projection, 2) << "the lines before the bad one are applied";
  EXPECT_EQ(list("Project")->count(), 0) << "the steps after the lines do not run";
  EXPECT_FALSE(radio("canvas02")->isChecked());
}

TEST_F(StoredFileRead, StopsAtARegionOutsideTheMapsWithAMessage) {
  storeConfigBytes(withLine(stored(), ConfigLine::region, "-1"));
  start();
  EXPECT_EQ(dialogs.errors(),
            std::vector<std::string>{"kestrova.cfg line 56: region -1 is outside 0-19."});
  EXPECT_EQ(session.settings.region, 0);
  openPanel();
  EXPECT_EQ(text("Regions"), "Europe");
}

TEST_F(StoredFileRead, StopsAtAFlagThatIsNoNumberKeepingWhatCameBefore) {
  storeConfigBytes(withLine(stored(), ConfigLine::firstCorrected + 1, "x"));
  start();
  EXPECT_EQ(dialogs.errors(), std::vector<std::string>{"Invalid numeric input."});
  EXPECT_TRUE(box("chan011")->isChecked());
  EXPECT_EQ(session.settings.productCorrected[0], 0);
  EXPECT_FALSE(box("corr001")->isChecked());
  EXPECT_EQ(text("xred"), "1");
}

// A vanished data folder costs nothing else: the read goes on and the error comes at its end.
TEST_F(StoredFileRead, CarriesOnPastAVanishedDataFolderAndReportsItAfterwards) {
  std::filesystem::remove(dataFolder());
  startWith(stored());
  EXPECT_EQ(dialogs.errors(), std::vector<std::string>{"File not found."});
  EXPECT_EQ(host.browserFolder, "/");
  EXPECT_EQ(text("flocation0"), dataFolder());
  EXPECT_EQ(host.dataFolderLabel, dataFolder());
  EXPECT_EQ(text("coord3"), "171");
  EXPECT_EQ(session.settings.region, 14);
  EXPECT_EQ(panel->projectionText(), "Mercator");
  EXPECT_TRUE(box("bmp003")->isChecked());
  EXPECT_EQ(text("gsize1"), "900");
}

// The toolkit's default limit of 32767 characters would cut such texts on the next Save.
TEST_F(StoredFileRead, KeepsTextsOfAnyLength) {
  StoredSettings s = stored();
  s.remapperFolder = "/" + std::string(40000, 'r') + "/";
  s.rgbRed = std::string(33000, '7');
  startWith(s);
  EXPECT_EQ(text("flocation3"), s.remapperFolder);
  EXPECT_EQ(text("xred"), s.rgbRed);
}

TEST_F(StoredFileRead, DoesNotMoveTheBrowserToTheFolderItAlreadyShows) {
  host.browserFolder = program.path().string() + "/data";
  startWith(stored());
  EXPECT_TRUE(host.pointedAt.empty());
  EXPECT_EQ(host.dataFolderLabel, dataFolder());
}

}  // namespace
}  // namespace kestrova::testing
