// Which PRT a line reads is counted from the nearest all-zero reference line, by line number.
#include "avhrr/hrpt/prt_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova::avhrr::hrpt {
namespace {

// Lines numbered `scans`, reference lines (all-zero readings) at `references`.
Pass passWithReferences(const std::vector<int>& scans, const std::vector<int>& references) {
  Pass p;
  for (const int scan : scans) {
    ScanLine line;
    line.scanNumber = scan;
    CalibrationViews v;
    const bool reference =
        std::find(references.begin(), references.end(), scan) != references.end();
    v.prt = reference ? std::array<std::uint16_t, 3>{0, 3, 1}
                      : std::array<std::uint16_t, 3>{400, 402, 61};
    line.views = v;
    p.lines.push_back(line);
  }
  return p;
}

std::vector<int> phases(const Pass& p) {
  std::vector<int> out;
  for (const auto& l : p.lines) out.push_back(l.views ? l.views->prtPhase : -9);
  return out;
}

TEST(PrtCycle, CountsFromTheNearestReferenceAcrossGapsAndRestarts) {
  // Lines 6-8 lost; the cycle restarts at 12 (as after an instrument reset).
  Pass p = passWithReferences({0, 1, 2, 3, 4, 5, 9, 10, 11, 12, 13, 14, 17}, {0, 5, 12, 17});
  p.lines.insert(p.lines.begin() + 6, ScanLine{});  // a fill line without views
  p.lines[6].scanNumber = 6;
  assignPrtPhases(p);
  EXPECT_EQ(phases(p), (std::vector<int>{0, 1, 2, 3, 4, 0, -9, 2, 3, 4, 0, 1, 2, 0}));
}

TEST(PrtCycle, UnknownWithoutAReferenceLine) {
  Pass p = passWithReferences({0, 1, 2}, {});
  assignPrtPhases(p);
  EXPECT_EQ(phases(p), (std::vector<int>{-1, -1, -1}));
}

}  // namespace
}  // namespace kestrova::avhrr::hrpt
