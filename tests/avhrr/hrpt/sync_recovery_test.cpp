// A bad reception: bit slips, garbage, lost frames and damaged sync patterns. Every frame that
// survives is read intact, and the counts say what happened.
#include <gtest/gtest.h>

#include <random>

#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "synthetic_pass.h"

namespace kestrova::avhrr::hrpt {
namespace {

using testing::expectSameLines;
using testing::kFrame16;
using testing::kFrameBitCount;
using testing::syntheticPass;

const UtcMs kStart = utcFromYearDay(2024, 75, 37'230'000);
const std::string kName = "pass_2024-03-15.hrp";

std::vector<std::uint8_t> randomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<std::uint8_t> out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(gen());
  return out;
}

std::vector<std::uint8_t> insertBytes(std::vector<std::uint8_t> bytes, std::size_t at,
                                      const std::vector<std::uint8_t>& extra) {
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), extra.begin(), extra.end());
  return bytes;
}

LineQuality qualityOf(const Pass& p, int line) {
  return p.lines[static_cast<std::size_t>(line)].quality;
}

TEST(BitSlip, InsertedOrLostBitsInAPackedStreamAreRealigned) {
  const Pass written = syntheticPass(8, kStart);
  auto bits = testing::toBits(writeHrpt(written, HrptStorage::Packed10));
  // Three spurious bits late in frame 2, and two bits lost late in frame 5.
  const auto at2 = static_cast<std::ptrdiff_t>(3 * kFrameBitCount - 500);
  bits.insert(bits.begin() + at2, {true, false, true});
  const auto at5 = static_cast<std::ptrdiff_t>(6 * kFrameBitCount - 400 + 3);
  bits.erase(bits.begin() + at5, bits.begin() + at5 + 2);
  const Pass read = readHrpt(testing::toBytes(bits), kName);
  expectSameLines(written, read);
  EXPECT_EQ(qualityOf(read, 3), LineQuality::Repaired);
  EXPECT_EQ(qualityOf(read, 6), LineQuality::Repaired);
  EXPECT_EQ(read.readCounts.keptLines, 8);
  EXPECT_EQ(read.readCounts.repairedLines, 2);
  EXPECT_EQ(read.readCounts.droppedFrames, 0);
}

TEST(BitSlip, AWordSlipInA16BitStreamIsRealigned) {
  const Pass written = syntheticPass(5, kStart);
  const auto bytes =
      insertBytes(writeHrpt(written, HrptStorage::Words16BigEndian), 2 * kFrame16, {0, 0});
  const Pass read = readHrpt(bytes, kName);
  expectSameLines(written, read);
  EXPECT_EQ(qualityOf(read, 2), LineQuality::Repaired);
  EXPECT_EQ(read.readCounts.droppedFrames, 0);
}

class Garbage : public ::testing::TestWithParam<HrptStorage> {};

TEST_P(Garbage, BetweenFramesIsSkippedAndCounted) {
  const Pass written = syntheticPass(6, kStart);
  auto bytes = writeHrpt(written, GetParam());
  const std::size_t frameEnd = bytes.size() * 3 / 6;  // mid-byte in a packed stream: aux sync
  bytes = insertBytes(bytes, frameEnd, randomBytes(5001, 1));
  bytes = insertBytes(bytes, 0, randomBytes(333, 2));
  const Pass read = readHrpt(bytes, kName);
  expectSameLines(written, read);
  EXPECT_EQ(read.format.hrptStorage, GetParam());
  EXPECT_EQ(read.readCounts.keptLines, 6);
  EXPECT_EQ(read.readCounts.droppedFrames, 2);
}

TEST_P(Garbage, TruncatedLastFrameIsDroppedAndTheRestKept) {
  const Pass written = syntheticPass(4, kStart);
  auto bytes = writeHrpt(written, GetParam());
  bytes.resize(bytes.size() - 3000);
  const Pass read = readHrpt(bytes, kName);
  EXPECT_EQ(read.lineCount(), 3);
  EXPECT_EQ(read.readCounts.droppedFrames, 1);
}

INSTANTIATE_TEST_SUITE_P(AllStorages, Garbage,
                         ::testing::Values(HrptStorage::Words16LittleEndian,
                                           HrptStorage::Words16BigEndian, HrptStorage::Packed10));

TEST(LostFrames, LeaveMissingLinesAtTheirTimes) {
  Pass written = syntheticPass(12, kStart);
  for (int n : {3, 4, 9}) written.lines[static_cast<std::size_t>(n)].quality = LineQuality::Missing;
  const Pass read = readHrpt(writeHrpt(written, HrptStorage::Packed10), kName);
  expectSameLines(written, read);
  EXPECT_EQ(read.readCounts.keptLines, 9);
  EXPECT_EQ(read.readCounts.filledLines, 3);
  EXPECT_EQ(read.readCounts.droppedFrames, 0);
  EXPECT_FALSE(read.lines[3].views.has_value());
  // The PRT cycle is counted across the gap: line 5 is a reference line again.
  EXPECT_EQ(read.lines[5].views->prtPhase, 0);
}

TEST(LostFrames, AGapBeyondTheFillLimitIsNotFilledLineByLine) {
  Pass first = syntheticPass(3, kStart);
  const Pass later = syntheticPass(3, kStart + 3'600'000);  // an hour on
  auto bytes = writeHrpt(first, HrptStorage::Words16LittleEndian);
  const auto tail = writeHrpt(later, HrptStorage::Words16LittleEndian);
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  const Pass read = readHrpt(bytes, kName);
  EXPECT_EQ(read.lineCount(), 6);
  EXPECT_EQ(read.readCounts.filledLines, 0);
  EXPECT_EQ(read.lines[3].time, kStart + 3'600'000);
}

TEST(SyncErrors, AFewBitErrorsAreToleratedAndTooManyLoseTheFrame) {
  const Pass written = syntheticPass(6, kStart);
  auto bytes = writeHrpt(written, HrptStorage::Words16LittleEndian);
  // Frame 1: three wrong bits in its sync. Frame 4: the sync ruined.
  bytes[testing::wordOffset(1, 0)] ^= 0x01;
  bytes[testing::wordOffset(1, 3)] ^= 0x30;
  for (int w = 0; w < 6; ++w) testing::setWordLittleEndian(bytes, 4, w, 0x155);
  const Pass read = readHrpt(bytes, kName);
  ASSERT_EQ(read.lineCount(), 6);
  EXPECT_EQ(qualityOf(read, 1), LineQuality::Repaired);
  EXPECT_EQ(qualityOf(read, 4), LineQuality::Missing);
  EXPECT_EQ(read.readCounts.keptLines, 5);
  EXPECT_EQ(read.readCounts.repairedLines, 1);
  EXPECT_EQ(read.readCounts.droppedFrames, 1);
  EXPECT_EQ(read.readCounts.filledLines, 1);
}

TEST(SyncErrors, FramesNamingAnotherSpacecraftAreDropped) {
  const Pass written = syntheticPass(6, kStart);
  auto bytes = writeHrpt(written, HrptStorage::Words16LittleEndian);
  testing::setWordLittleEndian(bytes, 2, 6, static_cast<std::uint16_t>((3 << 7) | (4 << 3)));
  const Pass read = readHrpt(bytes, kName);
  EXPECT_EQ(read.satellite, satelliteByName("NOAA-19"));
  EXPECT_EQ(qualityOf(read, 2), LineQuality::Missing);
  EXPECT_EQ(read.readCounts.droppedFrames, 1);
}

}  // namespace
}  // namespace kestrova::avhrr::hrpt
