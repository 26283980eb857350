#include "avhrr/peers/peer_constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "avhrr/calibration/pass_calibration.h"
#include "base/error.h"

namespace kestrova::avhrr {
namespace {

// pygac's thermal check values (tools/peers/README.md): 60 steady lines, PRT readings of 400
// counts with a reference line every fifth, target 390/380/370 and space 990/995/992 counts for
// 3B/4/5, every earth sample 600. Our calibration with the peers' set must land on them (measured
// 0.0003 K apart: pygac weights each line's own PRT over its window where we average the four).
TEST(PeerConstants, ThermalCalibrationMatchesThePeersCheckValues) {
  Pass pass;
  pass.satellite = satelliteByName("NOAA-19");
  pass.lines.resize(60);
  pass.allocateCounts();
  std::fill(pass.counts.begin(), pass.counts.end(), 600);
  for (int n = 0; n < 60; ++n) {
    ScanLine& line = pass.lines[static_cast<std::size_t>(n)];
    line.time = utcFromYearDay(2025, 172, 0) + std::llround(n * 1000.0 / 6.0);
    line.scanNumber = n;
    CalibrationViews v;
    v.prtPhase = n % 5;
    v.prt.fill(n % 5 == 0 ? 0 : 400);
    for (auto& s : v.ict) s = {390, 380, 370};
    for (auto& s : v.space) s = {40, 40, 990, 995, 992};
    line.views = v;
  }
  const auto c = peerConstants(*pass.satellite, pass.lines.front().time);
  const PassCalibration calibration(pass, CalibrationOptions{.constants = &c});
  const double expected[] = {287.6107, 269.7469, 266.4398};  // 3B, 4, 5
  for (int line : {0, 30, 59}) {
    for (int slot = 2; slot < kChannelCount; ++slot) {
      EXPECT_NEAR(calibration.transfer(slot, line).value(600),
                  expected[static_cast<std::size_t>(slot - 2)], 0.001)
          << "line " << line << " slot " << slot;
    }
  }
}

TEST(PeerConstants, OnlyTheSatellitesOfThePeerChecks) {
  EXPECT_NO_THROW(peerConstants(*satelliteByName("NOAA-18"), 0));
  EXPECT_THROW(peerConstants(*satelliteByName("NOAA-15"), 0), Error);
}

}  // namespace
}  // namespace kestrova::avhrr
