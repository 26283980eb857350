#include "avhrr/hrpt/prt_cycle.h"

#include <numeric>
#include <optional>
#include <vector>

namespace kestrova::avhrr::hrpt {
namespace {

constexpr int kCycle = 5;

bool isReference(const ScanLine& line) {
  if (!line.views) return false;
  const auto& prt = line.views->prt;
  const int sum = std::accumulate(prt.begin(), prt.end(), 0);
  return sum < kPrtReferenceThreshold * static_cast<int>(prt.size());
}

}  // namespace

void assignPrtPhases(Pass& pass) {
  // Nearest reference line before and after each line, by scan number.
  const std::size_t n = pass.lines.size();
  std::vector<std::optional<int>> before(n), after(n);
  std::optional<int> last;
  for (std::size_t k = 0; k < n; ++k) {
    if (isReference(pass.lines[k])) last = pass.lines[k].scanNumber;
    before[k] = last;
  }
  last.reset();
  for (std::size_t k = n; k-- > 0;) {
    if (isReference(pass.lines[k])) last = pass.lines[k].scanNumber;
    after[k] = last;
  }
  for (std::size_t k = 0; k < n; ++k) {
    ScanLine& line = pass.lines[k];
    if (!line.views) continue;
    const int scan = line.scanNumber;
    std::optional<int> ref = before[k];
    if (!ref || (after[k] && *after[k] - scan < scan - *ref)) ref = after[k];
    line.views->prtPhase = ref ? ((scan - *ref) % kCycle + kCycle) % kCycle : -1;
  }
}

}  // namespace kestrova::avhrr::hrpt
