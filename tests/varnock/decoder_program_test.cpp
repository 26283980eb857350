// The real Varnock.exe, run as a station's script or the front end runs it, on synthetic passes
// of every kind: the files it writes and nothing else, their sizes and orientation, the location
// file against the orbit the pass was made from, the year and the elements it finds, and every
// way it can fail.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <fstream>
#include <random>

#include "avhrr/geolocation/orbit_geolocator.h"
#include "avhrr/location/location_file.h"
#include "imaging/bmp_reader.h"
#include "imaging/jpeg_reader.h"
#include "varnock/varnock_program.h"

namespace kestrova::testing {
namespace {

using avhrr::SyntheticFile;
using Names = std::set<std::string>;

bool says(const ProgramRun& run, const std::string& text) {
  return run.messages.find(text) != std::string::npos;
}

std::string bytesOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The decoder's arguments for a data file, writing under folder/p.
std::vector<std::string> arguments(const std::filesystem::path& data, const std::string& direction,
                                   const TempFolder& out, std::vector<std::string> items) {
  std::vector<std::string> all{data.string(), "-direction:" + direction,
                               "-output:" + out.file("p")};
  all.insert(all.end(), items.begin(), items.end());
  return all;
}

class EveryKindOfPass : public ::testing::TestWithParam<SyntheticFile> {};

TEST_P(EveryKindOfPass, WritesTheRequestedPicturesAndALocationFileOnTheOrbit) {
  const SyntheticPasses& passes = SyntheticPasses::get();
  const bool gac = avhrr::syntheticFileName(GetParam()).starts_with("gac");
  TempFolder out;
  const ProgramRun run = runVarnock(arguments(
      passes.file(GetParam()), "south", out,
      {"-fc:.jpg", "-fc:apt.jpg", "-ch4:corr.bmp", "-rgb:R1G2B4:.jpg", "-fc:.jpg", "-close"}));
  ASSERT_EQ(run.status, 0) << run.messages;
  EXPECT_EQ(filesIn(out.path()),
            (Names{"p.lcn", "p-fc.jpg", "p-fc-apt.jpg", "p-c4-corr.bmp", "p-rgb.jpg"}));
  EXPECT_TRUE(says(run, "Satellite: NOAA-19")) << run.messages;
  EXPECT_TRUE(says(run, "Wrote " + out.file("p-fc.jpg"))) << run.messages;

  const avhrr::LocationFileGrid grid = avhrr::readLocationFile(out.file("p.lcn"));
  const Image plain = readJpegFile(out.file("p-fc.jpg"));
  EXPECT_EQ(plain.width, gac ? avhrr::kGacWidth : avhrr::kFullWidth);
  EXPECT_EQ(plain.width, grid.width);
  EXPECT_EQ(plain.height, grid.height);
  EXPECT_EQ(readJpegFile(out.file("p-rgb.jpg")).format, PixelFormat::Rgb888);
  const Image look = readJpegFile(out.file("p-fc-apt.jpg"));
  EXPECT_LE(look.width, 512);
  EXPECT_GT(look.width, 0);
  EXPECT_EQ(readBmpFile(out.file("p-c4-corr.bmp")).height, plain.height);
  EXPECT_EQ(grid.orientation, avhrr::Orientation::AsReceived);
  if (gac) return;  // GAC lines are every third line: their times are checked by the reader's tests
  ASSERT_EQ(plain.height, passes.pass().lineCount());
  EXPECT_EQ(grid.start, passes.pass().lines.front().time);
  const avhrr::Sgp4 orbit(passes.options().elements);
  const avhrr::OrbitGeolocator truth(orbit, passes.options().pointing);
  double worst = 0;
  for (std::size_t r = 0; r < grid.rows.size(); ++r) {
    for (std::size_t c = 0; c < grid.columns.size(); ++c) {
      const auto expected = truth.locate(passes.pass().lines[grid.rows[r]].time, grid.columns[c]);
      const std::size_t k = r * grid.columns.size() + c;
      worst = std::max(worst,
                       avhrr::surfaceDistanceKm(expected, {grid.latitude[k], grid.longitude[k]}));
    }
  }
  EXPECT_LT(worst, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Synthetic, EveryKindOfPass,
                         ::testing::ValuesIn(avhrr::allSyntheticFiles().begin(),
                                             avhrr::allSyntheticFiles().end()),
                         [](const auto& info) {
                           std::string name(avhrr::syntheticFileName(info.param));
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(Decoder, NorthTurnsEveryPictureAndSaysSoWhenTheOrbitDisagrees) {
  const auto data = SyntheticPasses::get().file(SyntheticFile::HrptBigEndian);
  TempFolder south, north;
  const ProgramRun asReceived =
      runVarnock(arguments(data, "south", south, {"-ch4:.bmp", "-ch4:apt.bmp"}));
  const ProgramRun turned =
      runVarnock(arguments(data, "NORTH", north, {"-ch4:.bmp", "-ch4:apt.bmp"}));
  ASSERT_EQ(asReceived.status, 0) << asReceived.messages;
  ASSERT_EQ(turned.status, 0) << turned.messages;
  for (const char* name : {"p-c4.bmp", "p-c4-apt.bmp"}) {
    const Image a = readBmpFile(south.file(name)), b = readBmpFile(north.file(name));
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    for (int y = 0; y < a.height; ++y)
      for (int x = 0; x < a.width; ++x)
        ASSERT_EQ(a.row(y)[x], b.row(a.height - 1 - y)[a.width - 1 - x])
            << name << " " << x << "," << y;
  }
  EXPECT_EQ(avhrr::readLocationFile(north.file("p.lcn")).orientation,
            avhrr::Orientation::Rotated180);
  // The synthetic pass runs one way; whichever option contradicts it gets the plain warning.
  const bool southbound = says(asReceived, "satellite travelled southbound");
  ASSERT_TRUE(southbound || says(asReceived, "satellite travelled northbound"))
      << asReceived.messages;
  const ProgramRun& contradicting = southbound ? turned : asReceived;
  const ProgramRun& agreeing = southbound ? asReceived : turned;
  EXPECT_TRUE(says(contradicting, "the pictures follow the direction given"))
      << contradicting.messages;
  EXPECT_FALSE(says(agreeing, "the pictures follow the direction given")) << agreeing.messages;
}

// The element file with every set's epoch moved by days, checksums made good again.
std::string elementsMovedBy(int days) {
  std::istringstream in(bytesOf(SyntheticPasses::elementsFile()));
  std::string out;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("1 ")) {
      const int day = std::stoi(line.substr(20, 3)) + days;
      line.replace(20, 3, (day < 100 ? "0" : "") + std::to_string(day));
      line[68] = static_cast<char>('0' + avhrr::tleChecksum(line));
    }
    out += line + "\n";
  }
  return out;
}

TEST(Decoder, RawHrptYearAndElementsComeFromTheBestSourceAndSayWhere) {
  const auto data = SyntheticPasses::get().file(SyntheticFile::HrptLittleEndian);
  const std::vector<std::string> items{"-ch2:apt.jpg"};
  struct Case {
    std::string elements;  // beside the data file; empty for none
    bool dateInName;
    std::string year;
    bool located;
    std::string says;
  };
  const std::vector<Case> cases{
      {bytesOf(SyntheticPasses::elementsFile()), true, "from the file name", true,
       "0.0 days from the pass"},
      {bytesOf(SyntheticPasses::elementsFile()), false, "from the orbital elements' epoch", true,
       "Orbital elements: epoch 2025 day 172.50000"},
      {"", false, "from the file's modification time", false, "No orbital elements for NOAA-19"},
      {elementsMovedBy(-30), true, "from the file name", true,
       "expect its locations to be several kilometres off"},
      {elementsMovedBy(-90), true, "from the file name", false, "from it, more than 60.0 days"},
      {"NOAA 19\n1 33591U garbage\n2 33591 more garbage\nnotes.txt of the station\n", true,
       "from the file name", false, "Damaged element set skipped"},
  };
  for (const Case& c : cases) {
    TempFolder station, out;
    const std::string name = c.dateInName ? "noaa19_20250621_115400.hpt" : "pass.hpt";
    std::filesystem::copy_file(data, station.path() / name);
    station.write("readme.txt", "Station log: nothing to see here.\n");
    if (!c.elements.empty()) station.write("weather.txt", c.elements);
    const std::string copy = station.file(name);
    utimbuf times{1750550400, 1750550400};  // 2025-06-22
    ::utime(copy.c_str(), &times);
    const ProgramRun run = runVarnock(arguments(copy, "south", out, items));
    SCOPED_TRACE(c.says);
    ASSERT_EQ(run.status, 0) << run.messages;
    EXPECT_TRUE(says(run, "Year 2025, " + c.year)) << run.messages;
    EXPECT_TRUE(says(run, c.says)) << run.messages;
    EXPECT_EQ(std::filesystem::exists(out.file("p.lcn")), c.located);
    EXPECT_TRUE(std::filesystem::exists(out.file("p-c2-apt.jpg")));
    if (c.elements.empty()) {
      EXPECT_TRUE(says(run, station.path().string())) << run.messages;
    }
  }
}

TEST(Decoder, UsageErrorsExitTwoNamingTheArgument) {
  const std::string data = SyntheticPasses::get().file(SyntheticFile::KlmLac).string();
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{data, "-direction:south", "-fc:.jpg"}, "-output:"},
      {{"-direction:south", "-output:x", "-fc:.jpg"}, "no data file"},
      {{data, data, "-output:x", "-fc:.jpg"}, "'" + data + "': a second data file"},
      {{data, "-output:x", "-fc:.jpg", "-fast"}, "'-fast': unknown option"},
      {{data, "-output:x", "-xyz:.jpg"}, "'-xyz:.jpg': unknown option"},
      {{data, "-output:x", "-fc:.gif"}, "'-fc:.gif'"},
      {{data, "-direction:west", "-output:x", "-fc:.jpg"}, "'-direction:west'"},
      {{data, "-output:x"}, "no picture requested"},
  };
  for (const auto& [words, named] : cases) {
    const ProgramRun run = runVarnock(words);
    EXPECT_EQ(run.status, 2) << named;
    EXPECT_TRUE(says(run, named)) << run.messages;
    EXPECT_TRUE(says(run, "usage: Varnock.exe")) << run.messages;
  }
}

TEST(Decoder, BadInputOrOutputFailsWithTheFileNamedAndLeavesNothing) {
  TempFolder station, out;
  station.write("empty.hpt", "");
  station.write("short.hpt",
                bytesOf(SyntheticPasses::get().file(SyntheticFile::HrptBigEndian)).substr(0, 5000));
  std::mt19937 random(7);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  station.write("noise.l1b", noise);
  ::mkfifo(station.file("pipe.hpt").c_str(), 0600);
  const std::string good = SyntheticPasses::get().file(SyntheticFile::KlmLac).string();
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {arguments(station.file("pipe.hpt"), "south", out, {"-fc:.jpg"}), "not an ordinary file"},
      {arguments(station.file("empty.hpt"), "south", out, {"-fc:.jpg"}), "empty (0 bytes)"},
      {arguments(station.file("short.hpt"), "south", out, {"-fc:.jpg"}), "neither"},
      {arguments(station.file("noise.l1b"), "south", out, {"-fc:.jpg"}), "neither"},
      {arguments(station.file("gone.hpt"), "south", out, {"-fc:.jpg"}), "No such file"},
      {arguments(station.path(), "south", out, {"-fc:.jpg"}), "not an ordinary file"},
      {{good, "-output:" + out.file("missing/p"), "-fc:.jpg"}, out.file("missing/p")},
  };
  for (const auto& [words, cause] : cases) {
    const ProgramRun run = runVarnock(words);
    EXPECT_EQ(run.status, 1) << run.messages;
    EXPECT_TRUE(says(run, cause)) << run.messages;
    if (words.front() != good) {
      EXPECT_TRUE(says(run, words.front())) << run.messages;
    }
    EXPECT_EQ(filesIn(out.path()), Names{});
  }
}

TEST(Decoder, AFailedRunKeepsThePreviousPicturesOfThePass) {
  const auto data = SyntheticPasses::get().file(SyntheticFile::KlmGac);
  TempFolder out;
  ASSERT_EQ(runVarnock(arguments(data, "south", out, {"-fc:.jpg", "-fc:apt.jpg"})).status, 0);
  const std::string picture = bytesOf(out.file("p-fc.jpg")),
                    look = bytesOf(out.file("p-fc-apt.jpg"));
  const std::string location = bytesOf(out.file("p.lcn"));
  // Half-way: every picture made, but one name is taken by a folder.
  std::filesystem::create_directory(out.file("p-c5.jpg"));
  const ProgramRun blocked =
      runVarnock(arguments(data, "north", out, {"-fc:.jpg", "-fc:apt.jpg", "-ch5:.jpg"}));
  EXPECT_EQ(blocked.status, 1);
  EXPECT_TRUE(says(blocked, out.file("p-c5.jpg"))) << blocked.messages;
  // And a damaged file under the same output name.
  TempFolder station;
  station.write("bad.l1b", std::string(100000, 'x'));
  EXPECT_EQ(runVarnock(arguments(station.file("bad.l1b"), "south", out, {"-fc:.jpg"})).status, 1);
  EXPECT_EQ(filesIn(out.path()), (Names{"p.lcn", "p-fc.jpg", "p-fc-apt.jpg", "p-c5.jpg"}));
  EXPECT_EQ(bytesOf(out.file("p-fc.jpg")), picture);
  EXPECT_EQ(bytesOf(out.file("p-fc-apt.jpg")), look);
  EXPECT_EQ(bytesOf(out.file("p.lcn")), location);
}

TEST(Decoder, UserRgbRecipeComesFromBesideTheProgramAndABrokenOneIsNamed) {
  TempFolder installed, out;
  const std::string program = installed.file("Varnock.exe");
  std::filesystem::copy_file(builtVarnock(), program);
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  const auto data = SyntheticPasses::get().file(SyntheticFile::KlmLac);
  installed.write("Varnock.rgb",
                  "# channel 4 alone, 200-320 K\nR = (c4 - 200) / 120\nG = (c4 - 200) / 120\nB = "
                  "(c4 - 200) / 120\n");
  const ProgramRun grey = runVarnock(arguments(data, "south", out, {"-UserRGB:apt.bmp"}), program);
  ASSERT_EQ(grey.status, 0) << grey.messages;
  EXPECT_TRUE(says(grey, "User-RGB recipe from '" + installed.file("Varnock.rgb")))
      << grey.messages;
  const Image picture = readBmpFile(out.file("p-usr-apt.bmp"));
  int coloured = 0, levels = 0;
  std::set<int> seen;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t* p = picture.row(y) + 3 * x;
      coloured += p[0] != p[1] || p[1] != p[2];
      seen.insert(p[0]);
    }
  }
  levels = static_cast<int>(seen.size());
  EXPECT_EQ(coloured, 0);
  EXPECT_GT(levels, 10);  // a picture, not a flat fill
  installed.write("Varnock.rgb", "R = c4\nG = c4 +\nB = c4\n");
  const ProgramRun broken =
      runVarnock(arguments(data, "south", out, {"-UserRGB:apt.bmp"}), program);
  EXPECT_EQ(broken.status, 0) << broken.messages;
  EXPECT_TRUE(
      says(broken, installed.file("Varnock.rgb") + "' cannot be used (User-RGB recipe, line 2"))
      << broken.messages;
}

}  // namespace
}  // namespace kestrova::testing
