// What Ostrelle.exe does with a command line or files it cannot use: a message naming the option
// and value (status 2) or the file and the cause (status 1), and no file left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "imaging/jpeg_writer.h"
#include "imaging/picture_loader.h"
#include "ostrelle/run_ostrelle.h"
#include "remap/synthetic_swath.h"
#include "support/temp_folder.h"

namespace kestrova::ostrelle {
namespace {

using testing::mapArguments;
using testing::runOstrelle;

class OstrelleFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::writeSwathFiles(testing::syntheticSwath({testing::SwathKind::Day, 60}),
                             folder.path().string(), "pass");
  }
  std::vector<std::string> arguments(const std::string& out = "map.jpg") const {
    return mapArguments(folder.file("pass.lcn"), folder.file("pass.jpg"), folder.file(out), "70",
                        "40", "-10", "40", "400", "300", "Polar");
  }
  std::set<std::string> files() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
      names.insert(entry.path().filename().string());
    return names;
  }
  kestrova::testing::TempFolder folder;
};

TEST_F(OstrelleFaults, EveryBadOptionIsNamedWithItsValueAndNothingRuns) {
  struct Fault {
    std::vector<std::pair<std::string, std::string>> changes;  // argument, its replacements
    std::string said;
  };
  const std::vector<Fault> faults = {
      {{{"-lat1:70", "-lat1:abc"}}, "-lat1: 'abc' is not a decimal number"},
      {{{"-lat1:70", "-lat1:1e1"}}, "-lat1: '1e1' is not a decimal number"},
      {{{"-lat1:70", "-lat1:"}}, "-lat1: '' is not a decimal number"},
      {{{"-lat1:70", "-lat1:95"}}, "-lat1: '95' is outside -90..90"},
      {{{"-lat2:40", "-lat2:75.5"}}, "is not above the south bound -lat2: '75.5'"},
      {{{"-lon2:40", "-lon2:400"}}, "-lon2: '400' is outside -360..360"},
      {{{"-lon2:40", "-lon2:-10"}}, "are the same meridian"},
      {{{"-width:400", "-width:0"}}, "-width: '0' is not a whole number of pixels from 1 to 20000"},
      {{{"-width:400", "-width:20001"}}, "-width: '20001' is not a whole number"},
      {{{"-height:300", "-height:300.5"}}, "-height: '300.5' is not a whole number"},
      {{{"-proj:Polar", "-proj:Conic"}}, "-proj: 'Conic' is not a projection"},
      {{{"-proj:Polar", "-proj:Mercator"}, {"-lat1:70", "-lat1:86"}}, "'86' is outside -85..85"},
      {{{"-proj:Polar", "-proj:Polar -width:5"}}, "The option -width: is given twice"},
      {{{"-proj:Polar", ""}}, "The option -proj: is missing"},
      {{{"-proj:Polar", "-proj:Polar -zoom:2"}}, "Unknown option '-zoom:2'"},
  };
  for (const Fault& f : faults) {
    std::vector<std::string> args;
    for (const std::string& a : arguments()) {
      std::string with = a;
      for (const auto& [from, to] : f.changes)
        if (a == from) with = to;
      // A replacement may stand for no argument or two.
      for (std::size_t at = 0; at < with.size();) {
        const std::size_t space = std::min(with.find(' ', at), with.size());
        args.push_back(with.substr(at, space - at));
        at = space + 1;
      }
    }
    const auto run = runOstrelle(args);
    EXPECT_EQ(run.status, 2) << f.said << ": " << run.output;
    EXPECT_NE(run.output.find(f.said), std::string::npos) << f.said << ": " << run.output;
  }
  EXPECT_EQ(files(), (std::set<std::string>{"pass.jpg", "pass.lcn"}));
}

TEST_F(OstrelleFaults, UnusableFilesAreNamedWithTheCauseAndLeaveNothingBehind) {
  const Image small = Image::blank(100, 50, PixelFormat::Grey8);
  writeJpegFile(folder.file("small.jpg"), small);
  folder.write("broken.jpg", "not a picture at all");
  std::string lcn = folder.read("pass.lcn");
  lcn[lcn.size() / 2] ^= 0x40;
  folder.write("damaged.lcn", lcn);

  struct Case {
    std::string option, value, said;
  };
  const Case cases[] = {
      {"-IN:", folder.file("small.jpg"),
       "The picture is 100 x 50 pixels but its location file describes 2048 x 360"},
      {"-IN:", folder.file("broken.jpg"), "Cannot read picture '" + folder.file("broken.jpg")},
      {"-IN:", folder.file("absent.jpg"), "No such file or directory"},
      {"-LCN:", folder.file("damaged.lcn"),
       folder.file("damaged.lcn") + ": not a valid location file"},
      {"-LCN:", folder.file("absent.lcn"),
       folder.file("absent.lcn") + ": cannot open the location file: No such file or directory"},
      {"-OUT:", folder.file("no/such/folder/map.jpg"),
       "Cannot write '" + folder.file("no/such/folder/map.jpg")},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = arguments();
    for (std::string& a : args)
      if (a.starts_with(c.option)) a = c.option + c.value;
    const auto run = runOstrelle(args);
    EXPECT_EQ(run.status, 1) << c.value << ": " << run.output;
    EXPECT_NE(run.output.find(c.said), std::string::npos) << c.value << ": " << run.output;
  }
  EXPECT_EQ(files(), (std::set<std::string>{"pass.jpg", "pass.lcn", "small.jpg", "broken.jpg",
                                            "damaged.lcn"}));
}

// Options in any order and letter case; a pass far from the box makes a black map with the
// overlays, says so, and is no failure. A .bmp name gets a BMP and a .bpw world file.
TEST_F(OstrelleFaults, APassThatMissesTheMapGivesABlackMapAndSaysSo) {
  const auto run =
      runOstrelle({"-PROJ:mercator", "-height:300", "-lon2:150", "-WIDTH:400", "-lat2:-45",
                   "-Out:" + folder.file("far.bmp"), "-lon1:110", "-lat1:0",
                   "-lcn:" + folder.file("pass.lcn"), "-in:" + folder.file("pass.jpg")});
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("The pass does not reach this map: the map is black"),
            std::string::npos)
      << run.output;
  const Image map = loadPicture(folder.file("far.bmp"));
  int grey = 0;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      const std::uint8_t* p = map.row(y) + 3 * x;
      grey += p[0] != 0 && p[0] == p[1] && p[1] == p[2];  // overlays are coloured
    }
  }
  EXPECT_EQ(grey, 0);
  EXPECT_EQ(files(), (std::set<std::string>{"pass.jpg", "pass.lcn", "far.bmp", "far.bpw", "far.prj",
                                            "far.bmp.aux.xml"}));
}

}  // namespace
}  // namespace kestrova::ostrelle
