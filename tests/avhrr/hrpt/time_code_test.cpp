// Lines are placed by their time codes: bad codes are repaired from the line rate when their
// place is certain, and dropped otherwise; the day of year wraps into the next year.
#include <gtest/gtest.h>

#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "synthetic_pass.h"

namespace kestrova::avhrr::hrpt {
namespace {

using testing::expectSameLines;
using testing::setWordLittleEndian;
using testing::syntheticPass;

const UtcMs kStart = utcFromYearDay(2024, 75, 37'230'000);
const std::string kName = "noaa19_20240315.hrp";

// Words 9-12 of frame `frame` replaced.
void setTimeCode(std::vector<std::uint8_t>& bytes, int frame, std::array<std::uint16_t, 4> code) {
  for (int k = 0; k < 4; ++k)
    setWordLittleEndian(bytes, frame, 8 + k, code[static_cast<std::size_t>(k)]);
}

void expectRepairedAt(const Pass& written, const Pass& read, int line) {
  const ScanLine& l = read.lines[static_cast<std::size_t>(line)];
  EXPECT_EQ(l.quality, LineQuality::Repaired) << "line " << line;
  EXPECT_EQ(l.time, written.lines[static_cast<std::size_t>(line)].time) << "line " << line;
  const auto er = written.row(0, line);
  EXPECT_TRUE(std::equal(er.begin(), er.end(), read.row(0, line).begin())) << "line " << line;
}

TEST(TimeCodeRepair, IsolatedBadCodesTakeTheirPlaceFromTheLineRate) {
  const Pass written = syntheticPass(15, kStart);
  auto bytes = writeHrpt(written, HrptStorage::Words16LittleEndian);
  setTimeCode(bytes, 0, {400 << 1, 0, 0, 0});           // day 400: impossible, first frame
  setTimeCode(bytes, 5, {75 << 1, 0x05, 0x2AA, 0x13});  // plausible but off the pass
  const auto line9 = yearDayFromUtc(written.lines[9].time);
  setTimeCode(bytes, 9, encodeTimeCode(line9.dayOfYear + 1, line9.msOfDay));  // a day late
  setTimeCode(bytes, 10, {75 << 1, 0x7F, 0x3FF, 0x3FF});                      // beyond 24 h
  const Pass read = readHrpt(bytes, kName);
  ASSERT_EQ(read.lineCount(), 15);
  for (int n : {0, 5, 9, 10}) expectRepairedAt(written, read, n);
  EXPECT_EQ(read.lines[4].time, written.lines[4].time);
  EXPECT_EQ(read.readCounts.keptLines, 15);
  EXPECT_EQ(read.readCounts.repairedLines, 4);
  EXPECT_EQ(read.readCounts.droppedFrames, 0);
}

TEST(TimeCodeRepair, ADayBitErrorAtEitherEndIsRepaired) {
  // A flipped bit of the day of year keeps the code on the line grid and the minor frame count.
  const Pass written = syntheticPass(8, kStart);
  auto bytes = writeHrpt(written, HrptStorage::Words16LittleEndian);
  for (const int frame : {0, 7}) {
    const auto date = yearDayFromUtc(written.lines[static_cast<std::size_t>(frame)].time);
    setTimeCode(bytes, frame, encodeTimeCode(date.dayOfYear ^ 0x40, date.msOfDay));
  }
  const Pass read = readHrpt(bytes, kName);
  ASSERT_EQ(read.lineCount(), 8);
  expectRepairedAt(written, read, 0);
  expectRepairedAt(written, read, 7);
}

TEST(TimeCodeRepair, ABadCodeWhosePlaceIsUncertainIsDropped) {
  // Line 4 lost and line 5's code bad: one frame between lines 3 and 6 leaves its place open.
  Pass written = syntheticPass(10, kStart);
  written.lines[4].quality = LineQuality::Missing;
  auto bytes = writeHrpt(written, HrptStorage::Words16LittleEndian);
  setTimeCode(bytes, 4, {75 << 1, 0x05, 0x2AA, 0x13});  // frame 4 in the file is line 5
  const Pass read = readHrpt(bytes, kName);
  EXPECT_EQ(read.lines[4].quality, LineQuality::Missing);
  EXPECT_EQ(read.lines[5].quality, LineQuality::Missing);
  EXPECT_EQ(read.readCounts.droppedFrames, 1);
  EXPECT_EQ(read.readCounts.filledLines, 2);
}

TEST(TimeCodeRepair, ARepeatedFrameIsDropped) {
  const Pass written = syntheticPass(6, kStart);
  auto bytes = writeHrpt(written, HrptStorage::Words16LittleEndian);
  const std::size_t frame = testing::kFrame16;
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(3 * frame), bytes.begin() + 2 * frame,
               bytes.begin() + 3 * frame);
  const Pass read = readHrpt(bytes, kName);
  expectSameLines(written, read);
  EXPECT_EQ(read.readCounts.droppedFrames, 1);
}

TEST(TimeCodeRepair, AMinorFrameCountOutOfStepDropsTheFrame) {
  const Pass written = syntheticPass(6, kStart);
  auto bytes = writeHrpt(written, HrptStorage::Words16LittleEndian);
  // Line 3 is minor frame 1; claim 2, keeping address and channel 3 bit.
  const std::uint16_t id = static_cast<std::uint16_t>((2 << 7) | (15 << 3));
  testing::setWordLittleEndian(bytes, 3, 6, id);
  const Pass read = readHrpt(bytes, kName);
  EXPECT_EQ(read.lines[3].quality, LineQuality::Missing);
  EXPECT_EQ(read.readCounts.droppedFrames, 1);
}

struct WrapCase {
  const char* name;
  int year;
  int dayOfYear;
};

class YearWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(YearWrap, PassOverNewYearKeepsItsTimesRising) {
  const WrapCase c = GetParam();
  const UtcMs start = utcFromYearDay(c.year, c.dayOfYear, kMsPerDay - 1'000);
  const Pass written = syntheticPass(12, start);
  const Pass read = readHrpt(writeHrpt(written, HrptStorage::Packed10), c.name);
  expectSameLines(written, read);
  EXPECT_EQ(yearDayFromUtc(read.lines.back().time).year, c.year + 1);
  EXPECT_EQ(yearDayFromUtc(read.lines.back().time).dayOfYear, 1);
}

INSTANTIATE_TEST_SUITE_P(NamedByEitherDay, YearWrap,
                         ::testing::Values(WrapCase{"n19_20231231_2359.hrp", 2023, 365},
                                           WrapCase{"n19_2024-01-01.hrp", 2023, 365},
                                           WrapCase{"NSS.HRPT.NP.D24366.S2359.hrp", 2024, 366}));

}  // namespace
}  // namespace kestrova::avhrr::hrpt
