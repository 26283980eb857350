// A pass written as KLM Level 1b reads back with every field the format carries, for LAC and GAC,
// with and without the archive header, in files whose name says nothing of their content.
#include <gtest/gtest.h>

#include <tuple>

#include "avhrr/level1b/klm_writer.h"
#include "avhrr/level1b/level1b_reader.h"
#include "base/error.h"
#include "support/temp_folder.h"
#include "test_passes.h"

namespace kestrova::avhrr {
namespace {

using level1b::KlmWriteOptions;
using level1b::readLevel1b;
using level1b::writeKlm;
using testing::klmTestPass;

void expectSameCoefficients(const FileCoefficients& a, const FileCoefficients& b) {
  for (std::size_t c = 0; c < 3; ++c) {
    EXPECT_NEAR(a.reflective[c].slope1, b.reflective[c].slope1, 1e-12);
    EXPECT_NEAR(a.reflective[c].intercept1, b.reflective[c].intercept1, 1e-12);
    EXPECT_NEAR(a.reflective[c].slope2, b.reflective[c].slope2, 1e-12);
    EXPECT_NEAR(a.reflective[c].intercept2, b.reflective[c].intercept2, 1e-12);
    EXPECT_EQ(a.reflective[c].intersection, b.reflective[c].intersection);
    EXPECT_NEAR(a.thermal[c].c0, b.thermal[c].c0, 1e-12);
    EXPECT_NEAR(a.thermal[c].c1, b.thermal[c].c1, 1e-12);
    EXPECT_NEAR(a.thermal[c].c2, b.thermal[c].c2, 1e-15);
  }
}

void expectSamePass(const Pass& written, const Pass& read) {
  EXPECT_EQ(read.satellite, written.satellite);
  EXPECT_EQ(read.spacecraftCode, 8);
  EXPECT_EQ(read.format.container, Container::KlmLevel1b);
  EXPECT_EQ(read.format.dataType, written.format.dataType);
  EXPECT_EQ(read.format.level1bVersion, 5);
  EXPECT_EQ(read.dataSetName, written.dataSetName);
  ASSERT_EQ(read.width, written.width);
  ASSERT_EQ(read.lineCount(), written.lineCount());
  EXPECT_EQ(read.counts, written.counts);
  for (int i = 0; i < read.lineCount(); ++i) {
    SCOPED_TRACE(i);
    const auto& a = written.lines[static_cast<std::size_t>(i)];
    const auto& b = read.lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(b.time, a.time);
    EXPECT_EQ(b.quality, LineQuality::SyncOk);
    EXPECT_EQ(b.scanNumber, a.scanNumber);
    EXPECT_EQ(b.channel3, a.channel3);
    EXPECT_EQ(b.southbound, a.southbound);
    EXPECT_EQ(b.fileQualityBits, a.fileQualityBits);
    ASSERT_TRUE(b.views && b.coefficients);
    EXPECT_EQ(b.views->prt, a.views->prt);
    EXPECT_EQ(b.views->ict, a.views->ict);
    EXPECT_EQ(b.views->space, a.views->space);
    expectSameCoefficients(*a.coefficients, *b.coefficients);
  }
  ASSERT_TRUE(read.tiePoints);
  EXPECT_EQ(read.tiePoints->columns, written.tiePoints->columns);
  EXPECT_EQ(read.tiePoints->lineValid, written.tiePoints->lineValid);
  for (std::size_t k = 0; k < written.tiePoints->latitude.size(); ++k) {
    EXPECT_NEAR(read.tiePoints->latitude[k], written.tiePoints->latitude[k], 1e-9);
    EXPECT_NEAR(read.tiePoints->longitude[k], written.tiePoints->longitude[k], 1e-9);
  }
  ASSERT_TRUE(read.headerThermal);
  for (std::size_t c = 0; c < 3; ++c) {
    EXPECT_NEAR((*read.headerThermal)[c].nu, (*written.headerThermal)[c].nu, 1e-9);
    EXPECT_NEAR((*read.headerThermal)[c].a, (*written.headerThermal)[c].a, 1e-9);
    EXPECT_NEAR((*read.headerThermal)[c].b, (*written.headerThermal)[c].b, 1e-9);
  }
}

class KlmRoundTrip : public ::testing::TestWithParam<std::tuple<DataType, bool>> {};

TEST_P(KlmRoundTrip, ReadsBackEveryFieldTheFormatCarries) {
  const auto [type, archive] = GetParam();
  const Pass pass = klmTestPass(type, 4);
  KlmWriteOptions options;
  options.archiveHeader = archive;
  const auto bytes = writeKlm(pass, options);

  const std::size_t record = type == DataType::Gac ? 4608 : 15872;
  EXPECT_EQ(bytes.size(), (archive ? 512 : 0) + record * 5);
  const Pass read = readLevel1b(bytes, "pass.bin");
  EXPECT_EQ(read.format.archiveHeader, archive);
  expectSamePass(pass, read);
}

INSTANTIATE_TEST_SUITE_P(LacGacWithAndWithoutArchiveHeader, KlmRoundTrip,
                         ::testing::Combine(::testing::Values(DataType::Lac, DataType::Gac,
                                                              DataType::Hrpt),
                                            ::testing::Bool()));

TEST(KlmRoundTrip, LinesWithoutEarthLocationAreWrittenAsSuchAndMissingLinesAsDoNotUse) {
  Pass pass = klmTestPass(DataType::Gac, 3);
  pass.tiePoints->lineValid[1] = false;
  pass.lines[2].quality = LineQuality::Missing;
  const Pass read = readLevel1b(writeKlm(pass), "pass.gac");
  EXPECT_EQ(read.tiePoints->lineValid, (std::vector<bool>{true, false, true}));
  EXPECT_NE(read.lines[1].fileQualityBits & (1u << 27), 0u);
  EXPECT_NE(read.lines[2].fileQualityBits & (1u << 31), 0u);
}

TEST(KlmRoundTrip, ThroughAFileNamedForAnotherFormat) {
  kestrova::testing::TempFolder folder;
  const Pass pass = klmTestPass(DataType::Gac, 2);
  level1b::writeKlmFile(pass, folder.file("pass.lac"));
  const Pass read = level1b::readLevel1bFile(folder.file("pass.lac"));
  EXPECT_EQ(read.format.dataType, DataType::Gac);
  EXPECT_EQ(read.counts, pass.counts);
}

TEST(KlmWriter, ComposesADataSetNameWhenThePassHasNone) {
  Pass pass = klmTestPass(DataType::Gac, 3);
  pass.dataSetName.clear();
  const Pass read = readLevel1b(writeKlm(pass), "x");
  EXPECT_EQ(read.dataSetName, "NSS.GHRR.NP.D23100.S1200.E1200.B0000000.KS");
}

TEST(KlmWriter, RefusesPassesTheFormatCannotHold) {
  Pass wrongWidth = klmTestPass(DataType::Gac, 2);
  wrongWidth.format.dataType = DataType::Lac;
  EXPECT_THROW(writeKlm(wrongWidth), Error);

  Pass podSatellite = klmTestPass(DataType::Gac, 2);
  podSatellite.satellite = satelliteByName("NOAA-14");
  podSatellite.format.container = Container::PodLevel1b;
  EXPECT_THROW(writeKlm(podSatellite), Error);

  Pass otherColumns = klmTestPass(DataType::Gac, 2);
  otherColumns.tiePoints->columns[0] = 0;
  EXPECT_THROW(writeKlm(otherColumns), Error);

  Pass empty = klmTestPass(DataType::Gac, 1);
  empty.lines.clear();
  empty.allocateCounts();
  EXPECT_THROW(writeKlm(empty), Error);

  Pass hugeCoefficient = klmTestPass(DataType::Gac, 1);
  hugeCoefficient.lines[0].coefficients->reflective[0].slope1 = 1e6;
  EXPECT_THROW(writeKlm(hugeCoefficient), Error);
}

}  // namespace
}  // namespace kestrova::avhrr
