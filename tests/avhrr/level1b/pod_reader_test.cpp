// The POD reader on hand-built LAC and GAC files: packed times, the quality word, tie points in
// 1/128 degree, the packed HRPT words, calibration scaling, and the archive header and fill record.
#include <gtest/gtest.h>

#include <cmath>

#include "avhrr/level1b/level1b_reader.h"
#include "support/temp_folder.h"
#include "test_passes.h"

namespace kestrova::avhrr {
namespace {

using level1b::readLevel1b;
using testing::podFile;
using testing::PodFileSpec;

void expectPodContent(const Pass& pass, const PodFileSpec& spec) {
  EXPECT_EQ(pass.format.container, Container::PodLevel1b);
  EXPECT_EQ(pass.format.archiveHeader, spec.archiveHeader);
  EXPECT_EQ(pass.satellite, satelliteByName("NOAA-14"));
  ASSERT_EQ(pass.lineCount(), spec.lines);
  const double period = spec.gac ? 500 : 1000.0 / 6;
  for (int i = 0; i < spec.lines; ++i) {
    SCOPED_TRACE(i);
    const auto& line = pass.lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(line.time, utcFromYearDay(testing::kPodYear, testing::kPodDay,
                                        testing::kPodStartMs + std::llround(i * period)));
    EXPECT_EQ(line.scanNumber, i + 1);
    EXPECT_EQ(line.southbound, true);
    EXPECT_EQ(line.channel3, Channel3::B3);
    for (int c = 0; c < kChannelCount; ++c) {
      const auto row = pass.row(c, i);
      for (int p = 0; p < pass.width; p += 97) {
        ASSERT_EQ(row[static_cast<std::size_t>(p)], testing::testCount(c, i, p)) << c << " " << p;
      }
    }
    // HRPT word n is stored as (7 (n - 1) + 3 + line) mod 1024.
    const auto word = [&](int n) {
      return static_cast<std::uint16_t>((7 * (n - 1) + 3 + i) & 0x3FF);
    };
    EXPECT_EQ(line.views->prt[0], word(18));
    EXPECT_EQ(line.views->ict[9][2], word(52));
    EXPECT_EQ(line.views->space[0][0], word(53));
    EXPECT_EQ(line.views->space[9][4], word(102));
  }
}

TEST(PodReader, ReadsGacScans) {
  const PodFileSpec spec{.gac = true, .lines = 3};
  const Pass pass = readLevel1b(podFile(spec), "n14.gac");
  EXPECT_EQ(pass.format.dataType, DataType::Gac);
  EXPECT_EQ(pass.width, kGacWidth);
  expectPodContent(pass, spec);
  EXPECT_EQ(pass.tiePoints->columns[1], 12);
}

TEST(PodReader, ReadsLacScansSpanningTwoRecords) {
  const PodFileSpec spec{.gac = false, .lines = 2};
  const Pass pass = readLevel1b(podFile(spec), "n14.lac");
  EXPECT_EQ(pass.format.dataType, DataType::Lac);
  EXPECT_EQ(pass.width, kFullWidth);
  expectPodContent(pass, spec);
  EXPECT_EQ(pass.tiePoints->columns[1], 64);
}

TEST(PodReader, ReadsTheArchiveHeaderNameAndSkipsTheGacFillRecord) {
  const PodFileSpec spec{.gac = true, .lines = 2, .archiveHeader = true, .fillRecord = true};
  const Pass pass = readLevel1b(podFile(spec), "n14.gac");
  EXPECT_EQ(pass.dataSetName, "NSS.GHRR.NJ.D98045.S1200.E1201.B1600102.GC");
  expectPodContent(pass, spec);
}

TEST(PodReader, NamesAPassWithoutArchiveHeaderAfterItsFile) {
  kestrova::testing::TempFolder folder;
  const auto bytes = podFile({.gac = true, .lines = 1});
  folder.write("n14.gac", std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(level1b::readLevel1bFile(folder.file("n14.gac")).dataSetName, "n14.gac");
}

TEST(PodReader, ScalesTiePointsAndMarksPointsBeyondTheLocatedCount) {
  const Pass pass = readLevel1b(podFile({.gac = true, .lines = 3}), "n14.gac");
  const auto& tie = *pass.tiePoints;
  EXPECT_DOUBLE_EQ(tie.latitude[0], testing::podLatitude(0, 0));
  EXPECT_DOUBLE_EQ(tie.longitude[2 * 51 + 50], testing::podLongitude(2, 50));
  EXPECT_DOUBLE_EQ(tie.latitude[51 + 39], testing::podLatitude(1, 39));
  EXPECT_TRUE(std::isnan(tie.latitude[51 + 40]));  // the second line locates 40 points
  EXPECT_EQ(tie.lineValid, (std::vector<bool>{true, true, true}));
}

TEST(PodReader, ScalesCalibrationSlopesAndIntercepts) {
  const Pass pass = readLevel1b(podFile({.gac = true, .lines = 1}), "n14.gac");
  const auto& k = *pass.lines[0].coefficients;
  EXPECT_NEAR(k.reflective[0].slope1, 0.1, 1e-9);
  EXPECT_NEAR(k.reflective[0].intercept1, -3.5, 1e-9);
  EXPECT_NEAR(k.reflective[1].slope2, 0.11, 1e-9);
  EXPECT_NEAR(k.thermal[1].c1, -0.16, 1e-9);
  EXPECT_NEAR(k.thermal[1].c0, 160.25, 1e-9);
  EXPECT_NEAR(k.thermal[2].c0, 170.5, 1e-9);
  EXPECT_EQ(k.thermal[2].c2, 0.0);
}

TEST(PodReader, ReadsEarlierSatellitesAndTwentiethCenturyYears) {
  auto bytes = podFile({.gac = true, .lines = 1, .spacecraft = 5});
  const Pass pass = readLevel1b(bytes, "n12.gac");
  EXPECT_EQ(pass.satellite, satelliteByName("NOAA-12"));
  EXPECT_EQ(yearDayFromUtc(pass.lines[0].time).year, 1998);
}

}  // namespace
}  // namespace kestrova::avhrr
