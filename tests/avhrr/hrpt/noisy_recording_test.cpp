// A station's recording at low elevation: bit errors, garbage inside frames, mangled ID and time
// words. Damaged copies of a realistic synthetic pass are read and calibrated and compared with
// the clean one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"
#include "damage.h"
#include "synthetic_pass.h"

namespace kestrova::avhrr::hrpt {
namespace {

const std::string kName = "noaa19_20250621.hrp";

// Test elements (as tests/avhrr/peers/data/elements.tle): northbound over Africa at the epoch.
constexpr std::string_view kElements =
    "NOAA 19\n"
    "1 33591U 09005A   25172.50000000  .00000120  00000-0  88000-4 0  9990\n"
    "2 33591  99.1000 120.0000 0014000  90.0000 270.0000 14.12600000850005\n";

std::vector<std::uint8_t> cleanBytes() {
  SyntheticPassOptions o;
  o.satellite = satelliteByName("NOAA-19");
  o.elements = parseElementSets(kElements, "test elements").front();
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
    std::printf(
        "bit error rate %g: %.2f %% of lines calibrated, %.2f %% within %.1f K, worst %.3f K\n",
        k.rate, f.calibrated, f.within, k.tolerance, f.worst);
    EXPECT_GE(f.calibrated, k.calibrated) << "rate " << k.rate;
    EXPECT_GE(f.within, k.within) << "rate " << k.rate;
  }
}

}  // namespace
}  // namespace kestrova::avhrr::hrpt
