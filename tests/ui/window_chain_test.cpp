// The whole round as a user makes it, with the real programs: pick a pass, "H" runs Varnock.exe,
// the preview shows its quick look, "Ostrelle" runs Ostrelle.exe, and the map lies in the image
// folder with its world file, showing land where the coastline set has land. Then every product
// ticked in the panel, Level 1b LAC and GAC passes, and both directions.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <set>

#include "avhrr/location/location_file.h"
#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"
#include "geo/coastline_set.h"
#include "geo/map_view.h"
#include "imaging/picture_loader.h"
#include "settings/product_table.h"
#include "ui/support/window_fixture.h"

namespace kestrova::testing {
namespace {

using avhrr::SyntheticFile;
using Names = std::set<std::string>;

// 12:10 UTC on 21 June 2025: NOAA-19 northbound over central Europe in daylight.
constexpr int kDay = 172;
constexpr int kStartMs = (12 * 60 + 10) * 60'000;

class Chain : public WindowTest {
 protected:
  void SetUp() override {
    std::filesystem::create_symlink(KESTROVA_VARNOCK, programs() + "Varnock.exe");
    std::filesystem::create_symlink(KESTROVA_OSTRELLE, programs() + "Ostrelle.exe");
  }

  // A synthetic NOAA-19 pass written into the data folder as this kind of file; raw HRPT gets
  // its element file beside it, as a station keeps them.
  std::string addSyntheticPass(SyntheticFile kind, double seconds = 40) {
    using namespace avhrr;
    SyntheticPassOptions options;
    options.satellite = satelliteByName("NOAA-19");
    options.start = utcFromYearDay(2025, kDay, kStartMs);
    options.elements = nearestElements(readElementSets(KESTROVA_DEMO_ELEMENTS),
                                       SatelliteKey::of(*options.satellite), options.start, "");
    options.durationSeconds = seconds;
    options.cloudCover = 0.15;
    const std::string stem = "noaa19_20250621_121000";
    const std::string path =
        writeSyntheticFile(makeSyntheticPass(options), options, kind, passes(), stem);
    if (kind <= SyntheticFile::HrptPacked)
      std::filesystem::copy_file(KESTROVA_DEMO_ELEMENTS, passes() + "/demo.tle",
                                 std::filesystem::copy_options::skip_existing);
    return std::filesystem::path(path).filename().string();
  }

  static std::string baseOf(const std::string& entry) { return entry.substr(0, entry.find('.')); }
  Names imagesWritten() const {
    Names names;
    for (const auto& f : std::filesystem::directory_iterator(images()))
      names.insert(f.path().filename().string());
    return names;
  }

  // The map box around what the location file covers, set in the panel's bound boxes as a user
  // of the User Defined region types them.
  void boundsAround(const std::string& locationFile) {
    const auto grid = avhrr::readLocationFile(locationFile);
    const auto [south, north] = std::minmax_element(grid.latitude.begin(), grid.latitude.end());
    const auto [west, east] = std::minmax_element(grid.longitude.begin(), grid.longitude.end());
    box_ = {std::ceil(*north), std::floor(*south), std::floor(*west), std::ceil(*east)};
    const double values[] = {box_.north, box_.south, box_.west, box_.east};
    for (int i = 0; i < 4; ++i) {
      const std::string name = "coord" + std::to_string(i);
      find<QLineEdit>(name.c_str())->setText(QString::number(values[i]));
    }
  }

  // Share of the clear land and sea pixels of a false-colour map that show land (yellowish) or
  // sea (dark) where the coastline set has them; pixels near a coast or the swath's edge, under
  // cloud or under an overlay are left out.
  double landSeaAgreement(const std::string& mapFile, int* checked) const {
    const Image map = loadPicture(mapFile);
    const MapView view("Polar", box_, map.width, map.height);
    const CoastlineSet& land = CoastlineSet::builtin();
    std::vector<std::int8_t> isLand(std::size_t(map.width) * map.height, -1);
    for (int y = 0; y < map.height; ++y)
      for (int x = 0; x < map.width; ++x)
        if (const auto p = view.toLatLon({x + 0.5, y + 0.5}))
          isLand[y * map.width + x] = land.isLand(p->lat, p->lon);
    // Inside the swath (no black beyond it nearby) and away from any coast.
    auto clear = [&](int x, int y) {
      const int r = 3;
      if (x < r || y < r || x >= map.width - r || y >= map.height - r) return false;
      for (int dy = -r; dy <= r; ++dy) {
        const std::uint8_t* p = map.row(y + dy) + 3 * (x - r);
        for (int dx = -r; dx <= r; ++dx, p += 3) {
          if (isLand[(y + dy) * map.width + x + dx] != isLand[y * map.width + x]) return false;
          if (p[0] + p[1] + p[2] < 20) return false;
        }
      }
      return isLand[y * map.width + x] >= 0;
    };
    int agree = 0;
    *checked = 0;

    for (int y = 0; y < map.height; ++y) {
      const std::uint8_t* row = map.row(y);
      for (int x = 0; x < map.width; ++x) {
        const int r = row[3 * x], g = row[3 * x + 1], b = row[3 * x + 2];
        const bool overlay = std::abs(r - g) > 25;  // false colour has red equal to green
        const bool shownLand = r - b > 12 && r < 200, shownSea = r < 70 && r - b <= 6;
        if (overlay || (!shownLand && !shownSea) || !clear(x, y)) continue;
        ++*checked;
        agree += shownLand == (isLand[y * map.width + x] == 1);
      }
    }
    return *checked ? double(agree) / *checked : 0;
  }

  bool checked(const std::string& name) const { return find<QCheckBox>(name.c_str())->isChecked(); }

  GeoBox box_;
};

TEST_F(Chain, PickDecodeRemapNorthbound) {
  const std::string entry = addSyntheticPass(SyntheticFile::HrptBigEndian);
  const std::string base = images() + baseOf(entry);
  startWith(stationSettings());
  pick(entry);
  click("direction01");  // South to North
  click("doit00");
  EXPECT_EQ(imagesWritten(), (Names{baseOf(entry) + ".lcn", baseOf(entry) + "-fc.jpg",
                                    baseOf(entry) + "-fc-apt.jpg"}));
  EXPECT_NE(previewGrey(), -1) << "the decoded quick look is shown";
  EXPECT_EQ(avhrr::readLocationFile(base + ".lcn").orientation, avhrr::Orientation::Rotated180);

  boundsAround(base + ".lcn");
  click("doit01");
  const std::string map = base + "-fc-Polar.jpg";
  ASSERT_TRUE(std::filesystem::exists(map)) << "Ostrelle.exe wrote no map";
  EXPECT_TRUE(std::filesystem::exists(base + "-fc-Polar.jgw"));
  EXPECT_TRUE(std::filesystem::exists(base + "-fc-Polar.prj"));
  const Image picture = loadPicture(map);
  EXPECT_EQ(picture.width, 800);
  EXPECT_EQ(picture.height, 600);
  int checked = 0;
  EXPECT_GE(landSeaAgreement(map, &checked), 0.97);
  EXPECT_GT(checked, 20000);
  EXPECT_TRUE(dialogs.calls().empty());
}

// Every product ticked through the panel and saved, as a user would: each picture the front end
// asked for is there under its tag, corrected and BMP where ticked, and nothing else.
TEST_F(Chain, EveryProductTickedInThePanel) {
  const std::string entry = addSyntheticPass(SyntheticFile::HrptLittleEndian, 20);
  startWith(stationSettings());
  action("Configure1")->trigger();
  for (int i = 0; i < kProductCount; ++i) {
    const std::string nn = (i < 10 ? "0" : "") + std::to_string(i);
    click(("chan0" + nn).c_str());
    if (i % 3 == 1) click(("corr0" + nn).c_str());
    if (i % 4 == 2) click(("bmp0" + nn).c_str());
  }
  dialogs.answerYes();
  click("SaveButton");
  pick(entry);
  click("doit00");

  Names expected{baseOf(entry) + ".lcn", baseOf(entry) + "-fc-apt.jpg"};
  for (int i = 0; i < kProductCount; ++i) {
    const std::string nn = (i < 10 ? "0" : "") + std::to_string(i);
    const std::string form = checked("corr0" + nn) ? "-corr" : "";
    const std::string type = checked("bmp0" + nn) ? ".bmp" : ".jpg";
    expected.insert(baseOf(entry) + std::string(ProductTable[i].fileTag) + form + type);
  }
  expected.insert(baseOf(entry) + "-fc.jpg");  // the remap source, asked for first
  EXPECT_EQ(imagesWritten(), expected) << text("batchstring");
}

// Level 1b needs no element file: its tie points locate it. GAC's preview is its remap-source
// picture. Southbound as received: the location file says so.
TEST_F(Chain, LevelOneBLacAndGacWithoutElements) {
  const std::string lac = addSyntheticPass(SyntheticFile::KlmLac, 20);
  const std::string gac = addSyntheticPass(SyntheticFile::KlmGacArchive, 20);
  startWith(stationSettings());
  for (const std::string& entry : {lac, gac}) {
    SCOPED_TRACE(entry);
    const std::string base = images() + baseOf(entry);
    pick(entry);
    click("doit00");
    ASSERT_TRUE(std::filesystem::exists(base + ".lcn"));
    EXPECT_EQ(avhrr::readLocationFile(base + ".lcn").orientation, avhrr::Orientation::AsReceived);
    EXPECT_NE(previewGrey(), -1);
    boundsAround(base + ".lcn");
    click("doit01");
    EXPECT_TRUE(std::filesystem::exists(base + "-fc-Polar.jpg"));
  }
  EXPECT_EQ(loadPicture(images() + baseOf(gac) + "-fc.jpg").width, 409);
}

}  // namespace
}  // namespace kestrova::testing
