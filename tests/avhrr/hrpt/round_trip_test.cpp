// Every storage the writer makes reads back to the same pass, whatever the content.
#include <gtest/gtest.h>

#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "base/error.h"
#include "support/temp_folder.h"
#include "synthetic_pass.h"

namespace kestrova::avhrr::hrpt {
namespace {

using testing::expectSameLines;
using testing::syntheticPass;

const UtcMs kStart = utcFromYearDay(2024, 75, 37'230'000);
const std::string kName = "noaa19_20240315_1020.hrp";

class StorageRoundTrip : public ::testing::TestWithParam<HrptStorage> {};

TEST_P(StorageRoundTrip, GivesBackCountsTimesViewsAndIds) {
  Pass written = syntheticPass(12, kStart);
  const Pass read = readHrpt(writeHrpt(written, GetParam()), kName);
  expectSameLines(written, read);
  EXPECT_EQ(read.format.container, Container::RawHrpt);
  EXPECT_EQ(read.format.hrptStorage, GetParam());
  EXPECT_EQ(read.satellite, satelliteByName("NOAA-19"));
  EXPECT_EQ(read.yearSource, YearSource::FileName);
  EXPECT_EQ(read.dataSetName, kName);
  for (const auto& line : read.lines) {
    EXPECT_EQ(line.quality, LineQuality::SyncOk);
    EXPECT_TRUE(line.tipParityOk);
  }
  EXPECT_EQ(read.readCounts.keptLines, 12);
  EXPECT_EQ(read.readCounts.repairedLines, 0);
  EXPECT_EQ(read.readCounts.droppedFrames, 0);
  EXPECT_EQ(read.readCounts.filledLines, 0);
}

TEST_P(StorageRoundTrip, ChannelThreeFollowsTheSelectBitLineByLine) {
  Pass written = syntheticPass(9, kStart);
  // 3A on lines 4-6, back to 3B from 7: every state lasts more than a line (a lone line is
  // taken for a flipped bit, see noisy_recording_test).
  for (int n = 4; n < 7; ++n) written.lines[static_cast<std::size_t>(n)].channel3 = Channel3::A3;
  const Pass read = readHrpt(writeHrpt(written, GetParam()), kName);
  expectSameLines(written, read);
}

INSTANTIATE_TEST_SUITE_P(AllStorages, StorageRoundTrip,
                         ::testing::Values(HrptStorage::Words16LittleEndian,
                                           HrptStorage::Words16BigEndian, HrptStorage::Packed10));

TEST(HrptRoundTrip, SingleFrameIsReadWhenItsSyncIsClean) {
  const Pass written = syntheticPass(1, kStart);
  const Pass read = readHrpt(writeHrpt(written, HrptStorage::Packed10), kName);
  expectSameLines(written, read);
}

TEST(HrptRoundTrip, InvertedPackedStreamReadsTheSame) {
  const Pass written = syntheticPass(6, kStart);
  auto bytes = writeHrpt(written, HrptStorage::Packed10);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(~b);
  expectSameLines(written, readHrpt(bytes, kName));
}

TEST(HrptRoundTrip, FileOnDiskReadsTheSame) {
  kestrova::testing::TempFolder folder;
  const Pass written = syntheticPass(4, kStart);
  const std::string path = folder.file(kName);
  writeHrptFile(path, written, HrptStorage::Words16BigEndian);
  const Pass read = readHrptFile(path);
  expectSameLines(written, read);
  EXPECT_EQ(read.dataSetName, kName);
}

TEST(HrptRoundTrip, UnknownSpacecraftAddressKeepsItsCodeWithoutASatellite) {
  Pass written = syntheticPass(3, kStart);
  written.satellite = nullptr;
  written.spacecraftCode = 9;
  const Pass read = readHrpt(writeHrpt(written, HrptStorage::Words16LittleEndian), kName);
  EXPECT_EQ(read.satellite, nullptr);
  EXPECT_EQ(read.spacecraftCode, 9);
}

TEST(HrptRoundTrip, WriterRefusesASatelliteWithoutAnAddress) {
  Pass written = syntheticPass(2, kStart);
  written.satellite = satelliteByName("NOAA-17");
  written.spacecraftCode = -1;
  EXPECT_THROW(writeHrpt(written, HrptStorage::Packed10), Error);
}

TEST(HrptRoundTrip, BrokenTipParityMarksOnlyThatLine) {
  const Pass written = syntheticPass(6, kStart);
  auto bytes = writeHrpt(written, HrptStorage::Words16LittleEndian);
  bytes[testing::wordOffset(2, 300)] ^= 0x04;  // one data bit of a TIP word
  const Pass read = readHrpt(bytes, kName);
  for (int n = 0; n < 6; ++n) {
    EXPECT_EQ(read.lines[static_cast<std::size_t>(n)].tipParityOk, n != 2) << "line " << n;
  }
}

}  // namespace
}  // namespace kestrova::avhrr::hrpt
