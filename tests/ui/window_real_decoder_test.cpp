// "H" with the real Varnock.exe: a synthetic raw HRPT pass and its elements in the data folder;
// the run leaves the location file and the pictures the front end names, and the preview shows
// the decoded quick look.
#include <set>

#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"
#include "ui/support/window_fixture.h"

namespace kestrova::testing {
namespace {

class RealDecoder : public WindowTest {
 protected:
  void SetUp() override {
    using namespace avhrr;
    std::filesystem::create_symlink(KESTROVA_VARNOCK, programs() + "Varnock.exe");
    SyntheticPassOptions options;
    options.satellite = satelliteByName("NOAA-19");
    options.start = utcFromYearDay(2025, 172, 11 * 3'600'000 + 54 * 60'000);
    options.elements = nearestElements(readElementSets(KESTROVA_TEST_ELEMENTS),
                                       SatelliteKey::of(*options.satellite), options.start, "");
    options.durationSeconds = 20;
    writeSyntheticFile(makeSyntheticPass(options), options, SyntheticFile::HrptLittleEndian,
                       passes(), "noaa19_20250621_115400");
    std::filesystem::copy_file(KESTROVA_TEST_ELEMENTS, passes() + "/weather.txt");
    startWith(stationSettings());
  }
};

TEST_F(RealDecoder, HWritesTheLocationFileAndThePicturesThePreviewShows) {
  pick("noaa19_20250621_115400_hrpt-le.hpt");
  ASSERT_EQ(previewGrey(), -1);
  click("doit00");
  std::set<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(images()))
    written.insert(entry.path().filename().string());
  EXPECT_EQ(written, (std::set<std::string>{"noaa19_20250621_115400_hrpt-le.lcn",
                                            "noaa19_20250621_115400_hrpt-le-fc.jpg",
                                            "noaa19_20250621_115400_hrpt-le-fc-apt.jpg"}));
  EXPECT_NE(previewGrey(), -1);
  EXPECT_TRUE(dialogs.calls().empty());
}

}  // namespace
}  // namespace kestrova::testing
