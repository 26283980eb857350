#include "synthetic_pass.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestrova::avhrr::hrpt::testing {

UtcMs lineTime(UtcMs start, int line) {
  return start + std::llround(line * 1000.0 / 6.0);
}

Pass syntheticPass(int lineCount, UtcMs start) {
  Pass pass;
  pass.satellite = satelliteByName("NOAA-19");
  pass.spacecraftCode = *pass.satellite->hrptAddress;
  pass.lines.resize(static_cast<std::size_t>(lineCount));
  pass.allocateCounts();
  std::uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245U + 12345U;
    return static_cast<std::uint16_t>((seed >> 16) & 0x3FF);
  };
  for (int n = 0; n < lineCount; ++n) {
    ScanLine& line = pass.lines[static_cast<std::size_t>(n)];
    line.time = lineTime(start, n);
    line.scanNumber = n;
    line.minorFrame = n % 3 + 1;
    CalibrationViews v;
    const int phase = n % 5;
    for (auto& r : v.prt) r = static_cast<std::uint16_t>(phase == 0 ? 0 : 400 + 10 * phase);
    v.prtPhase = phase;
    for (auto& s : v.ict) s = {static_cast<std::uint16_t>(600 + n % 7), 350, 360};
    for (auto& s : v.space) s = {40, 41, 990, 995, 996};
    line.views = v;
    for (int c = 0; c < kChannelCount; ++c) {
      for (auto& count : pass.row(c, n)) count = next();
    }
  }
  return pass;
}

std::vector<bool> toBits(const std::vector<std::uint8_t>& bytes) {
  std::vector<bool> bits;
  for (const auto b : bytes) {
    for (int k = 7; k >= 0; --k) bits.push_back(((b >> k) & 1) != 0);
  }
  return bits;
}

std::vector<std::uint8_t> toBytes(const std::vector<bool>& bits) {
  std::vector<std::uint8_t> bytes((bits.size() + 7) / 8, 0);
  for (std::size_t k = 0; k < bits.size(); ++k) {
    if (bits[k]) bytes[k / 8] |= static_cast<std::uint8_t>(0x80 >> (k % 8));
  }
  return bytes;
}

void setWordLittleEndian(std::vector<std::uint8_t>& bytes, int frame, int word, std::uint16_t v) {
  const std::size_t at = wordOffset(frame, word);
  bytes[at] = static_cast<std::uint8_t>(v & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void expectSameLines(const Pass& expected, const Pass& actual) {
  ASSERT_EQ(actual.lineCount(), expected.lineCount());
  for (int n = 0; n < expected.lineCount(); ++n) {
    const ScanLine& e = expected.lines[static_cast<std::size_t>(n)];
    const ScanLine& a = actual.lines[static_cast<std::size_t>(n)];
    EXPECT_EQ(a.time, e.time) << "line " << n;
    EXPECT_EQ(a.scanNumber, e.scanNumber) << "line " << n;
    EXPECT_EQ(a.channel3, e.channel3) << "line " << n;
    if (e.quality == LineQuality::Missing) {
      EXPECT_EQ(a.quality, LineQuality::Missing) << "line " << n;
      continue;
    }
    EXPECT_EQ(a.minorFrame, e.minorFrame) << "line " << n;
    ASSERT_TRUE(a.views.has_value()) << "line " << n;
    EXPECT_EQ(a.views->prt, e.views->prt) << "line " << n;
    EXPECT_EQ(a.views->prtPhase, e.views->prtPhase) << "line " << n;
    EXPECT_EQ(a.views->ict, e.views->ict) << "line " << n;
    EXPECT_EQ(a.views->space, e.views->space) << "line " << n;
    for (int c = 0; c < kChannelCount; ++c) {
      const auto er = expected.row(c, n);
      const auto ar = actual.row(c, n);
      ASSERT_TRUE(std::equal(er.begin(), er.end(), ar.begin())) << "line " << n << " ch " << c;
    }
  }
}

}  // namespace kestrova::avhrr::hrpt::testing
