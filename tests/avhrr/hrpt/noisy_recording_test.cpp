// A station's recording at low elevation: bit errors, garbage inside frames, mangled ID and time
// words. Damaged copies of a realistic synthetic pass are read and calibrated and compared with
// the clean one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/hrpt/frame_fields.h"
#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"
#include "damage.h"
#include "support/test_elements.h"
#include "synthetic_pass.h"

namespace kestrova::avhrr::hrpt {
namespace {

const std::string kName = "noaa19_20250621.hrp";

std::vector<std::uint8_t> cleanBytes() {
  SyntheticPassOptions o;
  o.satellite = satelliteByName("NOAA-19");
  o.elements = parseElementSets(kestrova::testing::kNoaa19Elements, "test elements").front();
  o.start = o.elements.epochUtc();
  o.durationSeconds = 120;  // 720 lines: a line is 0.14 % of them
  return writeHrpt(makeSyntheticPass(o), HrptStorage::Words16LittleEndian);
}

struct Clean {
  std::vector<std::uint8_t> bytes = cleanBytes();
  Pass pass = readHrpt(bytes, kName);
  PassCalibration calibration{pass};
};

const Clean& clean() {
  static const Clean c;
  return c;
}

struct Figures {
  double calibrated = 0;  // share of the clean lines with all three thermal channels calibrated
  double within = 0;      // share of them within the tolerance of the clean calibration
  double worst = 0;       // largest difference on a calibrated line, kelvin
};

// Compared at the counts the clean line holds, so the figure is the calibration's alone.
Figures thermalFigures(const Pass& noisy, double tolerance) {
  const Clean& c = clean();
  const PassCalibration calibration(noisy);
  std::map<UtcMs, int> byTime;
  for (int n = 0; n < noisy.lineCount(); ++n)
    byTime[noisy.lines[static_cast<std::size_t>(n)].time] = n;
  Figures f;
  int lines = 0, calibrated = 0, within = 0;
  for (int n = 0; n < c.pass.lineCount(); ++n) {
    ++lines;
    const auto it = byTime.find(c.pass.lines[static_cast<std::size_t>(n)].time);
    if (it == byTime.end()) continue;
    bool all = true;
    double worst = 0;
    for (int slot = 2; slot < kChannelCount && all; ++slot) {
      const auto& t = calibration.transfer(slot, it->second);
      all = t.status == LineStatus::Calibrated;
      const auto& reference = c.calibration.transfer(slot, n);
      const auto counts = c.pass.row(slot, n);
      for (std::size_t x = 0; all && x < counts.size(); x += 64)
        worst = std::max(worst, std::abs(double(t.value(counts[x])) - reference.value(counts[x])));
    }
    if (!all) continue;
    ++calibrated;
    if (worst <= tolerance) ++within;
    f.worst = std::max(f.worst, worst);
  }
  f.calibrated = 100.0 * calibrated / lines;
  f.within = 100.0 * within / lines;
  return f;
}

TEST(BitErrors, ThermalCalibrationHoldsAtTheRatesOfALowPass) {
  const struct {
    double rate, tolerance, calibrated, within;
  } cases[] = {{1e-4, 0.1, 99.5, 99.5}, {1e-3, 0.1, 99, 99}, {3e-3, 0.3, 95, 95}};
  for (const auto& k : cases) {
    const Pass noisy = readHrpt(testing::flipBits(clean().bytes, k.rate, 14), kName);
    const Figures f = thermalFigures(noisy, k.tolerance);
    std::printf("kept %d repaired %d damaged %d dropped %d filled %d mended %d\n",
                noisy.readCounts.keptLines, noisy.readCounts.repairedLines,
                noisy.readCounts.damagedLines, noisy.readCounts.droppedFrames,
                noisy.readCounts.filledLines, noisy.readCounts.channel3Mended);
    std::printf(
        "bit error rate %g: %.2f %% of lines calibrated, %.2f %% within %.1f K, worst %.3f K\n",
        k.rate, f.calibrated, f.within, k.tolerance, f.worst);
    EXPECT_GE(f.calibrated, k.calibrated) << "rate " << k.rate;
    EXPECT_GE(f.within, k.within) << "rate " << k.rate;
  }
}

// Lines of the damaged read that differ from the clean one, by time; those the damaged read lacks
// count too.
std::vector<int> linesThatDiffer(const Pass& damaged) {
  const Pass& reference = clean().pass;
  std::map<UtcMs, int> byTime;
  for (int n = 0; n < damaged.lineCount(); ++n)
    byTime[damaged.lines[static_cast<std::size_t>(n)].time] = n;
  std::vector<int> out;
  for (int n = 0; n < reference.lineCount(); ++n) {
    const auto it = byTime.find(reference.lines[static_cast<std::size_t>(n)].time);
    bool same = it != byTime.end() &&
                damaged.lines[static_cast<std::size_t>(it->second)].quality != LineQuality::Missing;
    for (int c = 0; same && c < kChannelCount; ++c) {
      const auto a = reference.row(c, n), b = damaged.row(c, it->second);
      same = std::equal(a.begin(), a.end(), b.begin());
    }
    if (!same) out.push_back(n);
  }
  return out;
}

// Share of the samples of a line that have a value and differ from the clean calibration.
double wrongShare(const Pass& damaged, int line) {
  const PassCalibration calibration(damaged);
  int wrong = 0, valued = 0;
  for (int slot = 0; slot < kChannelCount; ++slot) {
    std::vector<float> a(kFullWidth), b(kFullWidth);
    clean().calibration.calibrateRow(slot, line, a);
    calibration.calibrateRow(slot, line, b);
    for (int x = 0; x < kFullWidth; ++x) {
      if (std::isnan(b[static_cast<std::size_t>(x)])) continue;
      ++valued;
      if (std::abs(a[static_cast<std::size_t>(x)] - b[static_cast<std::size_t>(x)]) > 1e-3) ++wrong;
    }
  }
  return valued == 0 ? 0 : static_cast<double>(wrong) / valued;
}

TEST(DamagedFrames, GarbageInsideAFrameBlanksThatLineFromTheDamageOn) {
  constexpr int kLine = 300;
  // 1001 bytes of garbage after word 5000 of the frame (earth sample 850), on a mildly noisy
  // reception.
  const std::size_t at = testing::wordOffset(kLine, 5000) + 1;
  const auto bytes = testing::insertGarbage(testing::flipBits(clean().bytes, 1e-4, 3), at, 1001, 7);
  const Pass read = readHrpt(bytes, kName);
  const ScanLine& line = read.lines[kLine];
  EXPECT_EQ(line.quality, LineQuality::Damaged);
  ASSERT_TRUE(line.damagedFrom.has_value());
  EXPECT_LE(*line.damagedFrom, 850);
  EXPECT_GT(*line.damagedFrom, 800) << "the line before the garbage is kept";
  EXPECT_EQ(read.readCounts.damagedLines, 1);
  EXPECT_EQ(read.lineCount(), clean().pass.lineCount());
  // Bit errors spoil about 1 word in 1000.
  EXPECT_LT(wrongShare(read, kLine), 0.005);
  const Pass garbageOnly = readHrpt(testing::insertGarbage(clean().bytes, at, 1001, 7), kName);
  EXPECT_EQ(linesThatDiffer(garbageOnly), std::vector<int>{kLine});
  EXPECT_EQ(wrongShare(garbageOnly, kLine), 0);
}

TEST(DamagedFrames, AFrameCutShortIsDamagedAndTheNextIsFound) {
  constexpr int kLine = 200;
  // 3000 bytes lost from the middle of the frame: the next sync comes early.
  auto bytes = clean().bytes;
  const auto at = static_cast<std::ptrdiff_t>(testing::wordOffset(kLine, 6000));
  bytes.erase(bytes.begin() + at, bytes.begin() + at + 3000);
  const Pass read = readHrpt(bytes, kName);
  EXPECT_EQ(read.lines[kLine].quality, LineQuality::Damaged);
  EXPECT_LE(read.lines[kLine].damagedFrom.value_or(kFullWidth), (6000 - 750) / 5);
  EXPECT_GT(read.lines[kLine].damagedFrom.value_or(0), 1000);
  EXPECT_EQ(linesThatDiffer(read), std::vector<int>{kLine});
  EXPECT_EQ(wrongShare(read, kLine), 0);
  EXPECT_EQ(read.readCounts.droppedFrames, 0);
}

TEST(DamagedFrames, ABitSlipInsideAPackedFrameDamagesItFromTheSlipOn) {
  constexpr int kLine = 400;
  const auto packed = writeHrpt(clean().pass, HrptStorage::Packed10);
  // Three spurious bits at word 8000 of the frame (earth sample 1450).
  const std::size_t at = testing::kFrameBitCount * kLine + 8000 * 10;
  const Pass read = readHrpt(testing::insertBits(packed, at, 3), kName);
  EXPECT_EQ(read.lines[kLine].quality, LineQuality::Damaged);
  EXPECT_LE(read.lines[kLine].damagedFrom.value_or(kFullWidth), 1450);
  EXPECT_GT(read.lines[kLine].damagedFrom.value_or(0), 1400);
  EXPECT_EQ(linesThatDiffer(read), std::vector<int>{kLine});
  EXPECT_EQ(wrongShare(read, kLine), 0);
  EXPECT_EQ(read.lines[kLine + 1].quality, LineQuality::Repaired);  // found re-aligned
}

TEST(DamagedFrames, LostRepeatedAndGarbageSeparatedFramesLeaveTheOthersIntact) {
  auto bytes = testing::dropFrame(clean().bytes, 100);                         // line 100 lost
  bytes = testing::repeatFrame(bytes, 400);                                    // line 400 twice
  bytes = testing::insertGarbage(bytes, testing::wordOffset(500, 0), 777, 5);  // between frames
  bytes.resize(bytes.size() - testing::kFrame16 / 2);                          // the last frame cut
  const Pass read = readHrpt(bytes, kName);
  const int last = clean().pass.lineCount() - 1;
  EXPECT_EQ(linesThatDiffer(read), (std::vector<int>{100, last}));
  EXPECT_EQ(read.lines[100].quality, LineQuality::Missing);
  EXPECT_EQ(read.readCounts.damagedLines, 0);
  EXPECT_EQ(read.readCounts.filledLines, 1);
}

std::uint16_t wordAt(const std::vector<std::uint8_t>& bytes, int frame, int word) {
  const std::size_t at = testing::wordOffset(frame, word);
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

TEST(MendedLines, LoneChannel3BitsAndOffGridTimeCodesAreMendedAndCounted) {
  auto bytes = clean().bytes;
  // The 3A bit on three lone lines of this 3B pass, and on two lines in a row (a real switch).
  for (const int n : {50, 300, 601, 650, 651})
    testing::setWordLittleEndian(bytes, n, kIdWord, wordAt(bytes, n, kIdWord) | kChannel3ABit);
  // Time codes moved off the grid by a bit error in their low milliseconds.
  for (const auto& [n, shift] : {std::pair{120, 2}, std::pair{450, -4}}) {
    const auto date = yearDayFromUtc(clean().pass.lines[static_cast<std::size_t>(n)].time);
    const auto code = encodeTimeCode(date.dayOfYear, date.msOfDay + shift);
    for (int k = 0; k < 4; ++k)
      testing::setWordLittleEndian(bytes, n, kTimeWord + k, code[static_cast<std::size_t>(k)]);
  }
  const Pass read = readHrpt(bytes, kName);
  for (const int n : {50, 300, 601}) {
    EXPECT_EQ(read.lines[static_cast<std::size_t>(n)].channel3, Channel3::B3) << n;
    EXPECT_EQ(read.lines[static_cast<std::size_t>(n)].quality, LineQuality::Repaired) << n;
  }
  EXPECT_EQ(read.lines[650].channel3, Channel3::A3);
  EXPECT_EQ(read.lines[651].channel3, Channel3::A3);
  EXPECT_EQ(read.readCounts.channel3Mended, 3);
  for (const int n : {120, 450}) {
    EXPECT_EQ(read.lines[static_cast<std::size_t>(n)].time,
              clean().pass.lines[static_cast<std::size_t>(n)].time)
        << n;
    EXPECT_EQ(read.lines[static_cast<std::size_t>(n)].quality, LineQuality::Repaired) << n;
  }
  EXPECT_EQ(read.readCounts.repairedLines, 5);
  EXPECT_TRUE(linesThatDiffer(read).empty());
  EXPECT_EQ(PassCalibration(read).transfer(2, 300).band, Band::Ch3B);
}

}  // namespace
}  // namespace kestrova::avhrr::hrpt
