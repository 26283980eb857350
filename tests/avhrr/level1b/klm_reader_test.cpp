// The KLM reader against bytes placed where the KLM User's Guide puts them: scaling of the
// calibration coefficients, tie points and header constants, the version-dependent fields, the
// record word sizes, and records with damaged fields.
#include <gtest/gtest.h>

#include <cstring>

#include "avhrr/level1b/klm_writer.h"
#include "avhrr/level1b/level1b_reader.h"
#include "base/error.h"
#include "test_passes.h"

namespace kestrova::avhrr {
namespace {

using level1b::readLevel1b;
using level1b::writeKlm;
using testing::klmTestPass;
using testing::putU16;
using testing::putU32;

constexpr std::size_t kGacRecord = 4608;

std::vector<std::uint8_t> gacFile(int lines) {
  return writeKlm(klmTestPass(DataType::Gac, lines));
}

void putI32(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
  putU32(b, at, static_cast<std::uint32_t>(v));
}

TEST(KlmReader, ScalesCoefficientsTiePointsAndHeaderConstantsAsStored) {
  auto bytes = gacFile(2);
  const std::size_t r = kGacRecord;               // first data record
  putI32(bytes, r + 48, 512345);                  // ch1 operational slope 1, 1e-7
  putI32(bytes, r + 52, -2012345);                // ch1 intercept 1, 1e-6
  putI32(bytes, r + 64, 501);                     // ch1 intersection, counts
  putI32(bytes, r + 108 + 8, 1734567);            // ch2 slope 2
  putI32(bytes, r + 228, 1500000);                // 3B c1, 1e-6
  putI32(bytes, r + 252 + 4, -171234);            // ch4 c2, 1e-6
  putI32(bytes, r + 276 + 8, 2345);               // ch5 c3, 1e-7 from version 3
  putI32(bytes, r + 640, -335001);                // first tie point latitude, 1e-4 degree
  putI32(bytes, r + 644, 1799999);                // and longitude
  putI32(bytes, r + 640 + 8 * 50 + 4, -1234567);  // last tie point longitude
  putI32(bytes, 280, 267024);                     // 3B nu, 1e-2
  putI32(bytes, 292, 928244);                     // ch4 nu, 1e-3
  putI32(bytes, 308, 360640);                     // ch5 A, 1e-5
  putI32(bytes, 312, 998913);                     // ch5 B, 1e-6

  const Pass pass = readLevel1b(bytes, "n19.gac");
  const auto& k = *pass.lines[0].coefficients;
  EXPECT_DOUBLE_EQ(k.reflective[0].slope1, 0.0512345);
  EXPECT_DOUBLE_EQ(k.reflective[0].intercept1, -2.012345);
  EXPECT_DOUBLE_EQ(k.reflective[0].intersection, 501);
  EXPECT_DOUBLE_EQ(k.reflective[1].slope2, 0.1734567);
  EXPECT_DOUBLE_EQ(k.thermal[0].c0, 1.5);
  EXPECT_DOUBLE_EQ(k.thermal[1].c1, -0.171234);
  EXPECT_DOUBLE_EQ(k.thermal[2].c2, 0.0002345);
  EXPECT_DOUBLE_EQ(pass.tiePoints->latitude[0], -33.5001);
  EXPECT_DOUBLE_EQ(pass.tiePoints->longitude[0], 179.9999);
  EXPECT_DOUBLE_EQ(pass.tiePoints->longitude[50], -123.4567);
  EXPECT_EQ(pass.tiePoints->columns.front(), 4);
  EXPECT_EQ(pass.tiePoints->columns.back(), 404);
  const auto& thermal = *pass.headerThermal;
  EXPECT_DOUBLE_EQ(thermal[0].nu, 2670.24);
  EXPECT_DOUBLE_EQ(thermal[1].nu, 928.244);
  EXPECT_DOUBLE_EQ(thermal[2].a, 3.6064);
  EXPECT_DOUBLE_EQ(thermal[2].b, 0.998913);
}

TEST(KlmReader, QuadraticTermOfChannels4And5HasOneDecimalLessBeforeVersion3) {
  auto bytes = gacFile(1);
  putU16(bytes, 4, 2);
  putI32(bytes, kGacRecord + 252 + 8, 1234);  // ch4 c3
  putI32(bytes, kGacRecord + 228 + 8, 1234);  // 3B c3 keeps 1e-6 in every version
  const Pass v2 = readLevel1b(bytes, "v2.gac");
  EXPECT_DOUBLE_EQ(v2.lines[0].coefficients->thermal[1].c2, 0.001234);
  EXPECT_DOUBLE_EQ(v2.lines[0].coefficients->thermal[0].c2, 0.001234);
  putU16(bytes, 4, 3);
  const Pass v3 = readLevel1b(bytes, "v3.gac");
  EXPECT_DOUBLE_EQ(v3.lines[0].coefficients->thermal[1].c2, 0.0001234);
  EXPECT_DOUBLE_EQ(v3.lines[0].coefficients->thermal[0].c2, 0.001234);
}

TEST(KlmReader, SkipsTheHeaderRecordsTheHeaderCountsFromVersion3) {
  const auto one = gacFile(2);
  auto two = one;
  two.insert(two.begin() + kGacRecord, one.begin(), one.begin() + kGacRecord);
  putU16(two, 14, 2);
  const Pass pass = readLevel1b(two, "two-headers.gac");
  ASSERT_EQ(pass.lineCount(), 2);
  EXPECT_EQ(pass.lines[0].scanNumber, 1);

  putU16(two, 4, 2);  // version 2 has exactly one header record: the copy is a data record
  EXPECT_THROW(readLevel1b(two, "v2.gac"), Error);
}

TEST(KlmReader, ReadsSixteenAndEightBitSampleWordsFoundFromTheContent) {
  const Pass lac = klmTestPass(DataType::Lac, 2);
  const Pass lac16 = readLevel1b(testing::withSampleWords(writeKlm(lac), false, 16), "a.l1b");
  EXPECT_EQ(lac16.counts, lac.counts);

  const Pass gac = klmTestPass(DataType::Gac, 3);
  const Pass gac8 = readLevel1b(testing::withSampleWords(writeKlm(gac), true, 8), "b.l1b");
  ASSERT_EQ(gac8.counts.size(), gac.counts.size());
  for (std::size_t i = 0; i < gac.counts.size(); ++i) {
    ASSERT_EQ(gac8.counts[i], gac.counts[i] & ~3u) << i;
  }
  EXPECT_DOUBLE_EQ(gac8.tiePoints->latitude[0], gac.tiePoints->latitude[0]);
}

TEST(KlmReader, TakesTheWordSizeTheArchiveHeaderStates) {
  const Pass gac = klmTestPass(DataType::Gac, 2);
  level1b::KlmWriteOptions options;
  options.archiveHeader = true;
  const auto archived = writeKlm(gac, options);
  auto bytes = testing::withSampleWords(writeKlm(gac), true, 16);
  bytes.insert(bytes.begin(), archived.begin(), archived.begin() + 512);
  std::memcpy(&bytes[117], "16", 2);
  std::memcpy(&bytes[181], "005632", 6);
  const Pass pass = readLevel1b(bytes, "archived16.gac");
  EXPECT_EQ(pass.counts, gac.counts);
  EXPECT_TRUE(pass.format.archiveHeader);

  std::memcpy(&bytes[117], "10", 2);  // says packed, but the records are 5632 bytes
  EXPECT_THROW(readLevel1b(bytes, "archived16.gac"), Error);
}

TEST(KlmReader, ReadsTheScanLineBits) {
  auto bytes = gacFile(3);
  putU16(bytes, kGacRecord + 12, 0x0000);      // northbound, 3B
  putU16(bytes, 2 * kGacRecord + 12, 0x8002);  // southbound, transition
  putU16(bytes, 3 * kGacRecord + 12, 0x4001);  // northbound, drift corrected, 3A
  const Pass pass = readLevel1b(bytes, "bits.gac");
  EXPECT_EQ(pass.lines[0].southbound, false);
  EXPECT_EQ(pass.lines[0].channel3, Channel3::B3);
  EXPECT_EQ(pass.lines[1].southbound, true);
  EXPECT_EQ(pass.lines[1].channel3, Channel3::Transition);
  EXPECT_EQ(pass.lines[2].southbound, false);
  EXPECT_EQ(pass.lines[2].channel3, Channel3::A3);
}

TEST(KlmReader, GivesALineWithADamagedTimeItsNeighboursTimeAndMarksItRepaired) {
  auto bytes = gacFile(4);
  const Pass clean = readLevel1b(bytes, "clean.gac");
  putU16(bytes, 3 * kGacRecord + 4, 400);  // day of year 400 in the third record
  const Pass pass = readLevel1b(bytes, "damaged.gac");
  EXPECT_EQ(pass.lines[2].time, clean.lines[2].time);
  EXPECT_EQ(pass.lines[2].quality, LineQuality::Repaired);
  EXPECT_EQ(pass.lines[1].quality, LineQuality::SyncOk);
  EXPECT_EQ(pass.readCounts.repairedLines, 1);
  EXPECT_EQ(pass.readCounts.keptLines, 4);
}

TEST(KlmReader, ALineWithImpossibleTiePointsHasNoEarthLocation) {
  auto bytes = gacFile(2);
  putI32(bytes, 2 * kGacRecord + 640 + 8 * 7, 950000);  // 95 degrees
  const Pass pass = readLevel1b(bytes, "lat.gac");
  EXPECT_EQ(pass.tiePoints->lineValid, (std::vector<bool>{true, false}));
}

TEST(KlmReader, NamesAnUnknownSpacecraftByItsCode) {
  auto bytes = gacFile(1);
  putU16(bytes, 72, 99);
  const Pass pass = readLevel1b(bytes, "x.gac");
  EXPECT_EQ(pass.satellite, nullptr);
  EXPECT_EQ(pass.spacecraftCode, 99);
}

}  // namespace
}  // namespace kestrova::avhrr
