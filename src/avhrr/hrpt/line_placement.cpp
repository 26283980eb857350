#include "avhrr/hrpt/line_placement.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "avhrr/hrpt/frame_format.h"

namespace kestrova::avhrr::hrpt {
namespace {

// Codes are whole milliseconds of a 166.67 ms period; a code further off the grid is not a line
// of this pass.
constexpr double kGridToleranceMs = 5.0;
// A run of bad codes at either end of the pass is repaired only when short.
constexpr std::size_t kMaxEdgeRepair = 2;

std::int64_t continuousMs(const FrameStamp& s) {
  return (s.dayOfYear - 1) * kMsPerDay + s.msOfDay;
}

bool followsByOneLine(const FrameStamp& a, const FrameStamp& b) {
  const std::int64_t step = continuousMs(b) - continuousMs(a);
  return step == 166 || step == 167;
}

// The instant of a stamp in the year, around anchorYear, nearest to the anchor: a pass may cross
// 31 December.
UtcMs nearestInstant(const FrameStamp& s, int anchorYear, UtcMs anchorTime) {
  UtcMs best = 0;
  bool found = false;
  for (const int year : {anchorYear - 1, anchorYear, anchorYear + 1}) {
    if (s.dayOfYear > daysInYear(year)) continue;
    const UtcMs t = utcFromYearDay(year, s.dayOfYear, s.msOfDay);
    if (!found || std::llabs(t - anchorTime) < std::llabs(best - anchorTime)) best = t;
    found = true;
  }
  return best;
}

int mod(std::int64_t a, int m) {
  return static_cast<int>(((a % m) + m) % m);
}

// Indexes (ascending) of the longest subsequence whose keys strictly rise.
std::vector<std::size_t> longestRising(const std::vector<std::size_t>& items,
                                       const std::vector<std::int64_t>& keys) {
  std::vector<std::size_t> tails;  // positions in items
  std::vector<std::ptrdiff_t> previous(items.size(), -1);
  for (std::size_t k = 0; k < items.size(); ++k) {
    const auto it =
        std::lower_bound(tails.begin(), tails.end(), keys[k],
                         [&](std::size_t t, std::int64_t key) { return keys[t] < key; });
    if (it != tails.begin()) previous[k] = static_cast<std::ptrdiff_t>(*std::prev(it));
    if (it == tails.end()) {
      tails.push_back(k);
    } else {
      *it = k;
    }
  }
  std::vector<std::size_t> out;
  for (auto k = tails.empty() ? -1 : static_cast<std::ptrdiff_t>(tails.back()); k >= 0;
       k = previous[static_cast<std::size_t>(k)]) {
    out.push_back(items[static_cast<std::size_t>(k)]);
  }
  std::reverse(out.begin(), out.end());
  return out;
}

struct Grid {
  std::vector<std::optional<std::int64_t>> line;  // per stamp
  std::vector<UtcMs> time;
};

// Line numbers of the stamps that sit on the anchor's grid, relative to the anchor.
Grid gridOf(std::span<const FrameStamp> stamps, UtcMs anchorTime) {
  Grid g{std::vector<std::optional<std::int64_t>>(stamps.size()),
         std::vector<UtcMs>(stamps.size(), 0)};
  const int anchorYear = yearDayFromUtc(anchorTime).year;
  for (std::size_t i = 0; i < stamps.size(); ++i) {
    if (!stamps[i].plausible()) continue;
    const UtcMs t = nearestInstant(stamps[i], anchorYear, anchorTime);
    const double offset = static_cast<double>(t - anchorTime);
    const double n = std::round(offset / kLinePeriodMs);
    if (std::abs(offset - n * kLinePeriodMs) > kGridToleranceMs) continue;
    g.line[i] = static_cast<std::int64_t>(n);
    g.time[i] = t;
  }
  return g;
}

// The most stamps whose line numbers rise in file order: frames arrive in order, so an isolated
// bad code or a repeated frame breaks the rise and is left out.
std::vector<std::size_t> consistentStamps(const Grid& g) {
  std::vector<std::size_t> items;
  std::vector<std::int64_t> keys;
  for (std::size_t i = 0; i < g.line.size(); ++i) {
    if (!g.line[i]) continue;
    items.push_back(i);
    keys.push_back(*g.line[i]);
  }
  return longestRising(items, keys);
}

// Minor frames count 1, 2, 3 with the line number; the offset most frames agree on.
int minorFrameOffset(std::span<const FrameStamp> stamps, const Grid& g,
                     const std::vector<std::size_t>& chosen) {
  std::array<int, 3> votes{};
  for (const auto i : chosen) {
    const int mf = stamps[i].minorFrame;
    if (mf >= 1 && mf <= 3) ++votes[static_cast<std::size_t>(mod(mf - 1 - *g.line[i], 3))];
  }
  return static_cast<int>(std::max_element(votes.begin(), votes.end()) - votes.begin());
}

// t0 of t = round(t0 + n * period) over the trusted codes. Codes are whole milliseconds, so each
// bounds t0 to within half a millisecond of its own offset; where the bounds of the codes near the
// median meet, their middle gives back every such code exactly (a code a bit error moved by a few
// milliseconds is not among them). Jittery codes fall back to the median offset.
double gridOrigin(const Grid& g, const std::vector<std::size_t>& trusted) {
  std::vector<double> origins;
  for (const auto i : trusted) {
    origins.push_back(static_cast<double>(g.time[i]) -
                      static_cast<double>(*g.line[i]) * kLinePeriodMs);
  }
  const auto mid = origins.begin() + static_cast<std::ptrdiff_t>(origins.size() / 2);
  std::nth_element(origins.begin(), mid, origins.end());
  const double median = *mid;
  std::erase_if(origins, [&](double o) { return std::abs(o - median) > 1; });
  const auto [low, high] = std::minmax_element(origins.begin(), origins.end());
  if (*high - 0.5 <= *low + 0.5) return (*high + *low) / 2;
  return median;
}

// A bit error in the day of year moves a code by whole days, which keeps it on the line grid and
// in step with the minor frame count. Inside the pass the rise of the line numbers catches it; a
// lone frame at either end far from the rest is such a code, and gets its place repaired.
void untrustLoneEnds(std::vector<std::size_t>& trusted, const Grid& g) {
  const auto far = [&](std::size_t a, std::size_t b) {
    return std::llabs(*g.line[a] - *g.line[b]) > kMaxFilledGap;
  };
  if (trusted.size() >= 3 && far(trusted[0], trusted[1])) trusted.erase(trusted.begin());
  const std::size_t n = trusted.size();
  if (n >= 3 && far(trusted[n - 1], trusted[n - 2])) trusted.pop_back();
}

UtcMs timeOfLine(double origin, std::int64_t line) {
  return std::llround(origin + static_cast<double>(line) * kLinePeriodMs);
}

// A code a few milliseconds off the grid (a bit error in its low bits) between codes exactly on
// it takes the grid's time; where the neighbours are off too, the clock itself jitters and the
// codes are kept.
bool snapsToGrid(const Grid& g, double origin, std::size_t i) {
  const auto onGrid = [&](std::size_t k) {
    return g.line[k] && g.time[k] == timeOfLine(origin, *g.line[k]);
  };
  if (onGrid(i)) return false;
  const bool before = i == 0 || onGrid(i - 1);
  const bool after = i + 1 == g.line.size() || onGrid(i + 1);
  return before && after && g.line.size() > 1;
}

struct Run {
  std::size_t first = 0, count = 0;
  std::optional<std::int64_t> firstLine;  // the line the run's first frame fills, when known
};

// Runs of stamps between trusted ones that can take the lines their neighbours leave free.
std::vector<Run> repairableRuns(const std::vector<std::size_t>& trusted, const Grid& g,
                                std::size_t stampCount) {
  std::vector<Run> runs;
  std::size_t next = 0;
  for (std::size_t k = 0; k <= trusted.size(); ++k) {
    const std::size_t end = k < trusted.size() ? trusted[k] : stampCount;
    Run run{next, end - next, std::nullopt};
    if (run.count > 0) {
      if (k == 0) {
        if (run.count <= kMaxEdgeRepair && !trusted.empty()) {
          run.firstLine = *g.line[trusted[0]] - static_cast<std::int64_t>(run.count);
        }
      } else if (k == trusted.size()) {
        if (run.count <= kMaxEdgeRepair) run.firstLine = *g.line[trusted[k - 1]] + 1;
      } else if (*g.line[trusted[k]] - *g.line[trusted[k - 1]] - 1 ==
                 static_cast<std::int64_t>(run.count)) {
        run.firstLine = *g.line[trusted[k - 1]] + 1;
      }
      runs.push_back(run);
    }
    next = end + 1;
  }
  return runs;
}

void fillGaps(Placement& p, double origin) {
  std::vector<PlacedLine> out;
  const std::int64_t budget = kMaxFillPerKeptLine * static_cast<std::int64_t>(p.lines.size());
  std::int64_t filled = 0;
  for (std::size_t k = 0; k < p.lines.size(); ++k) {
    if (k > 0) {
      const std::int64_t from = p.lines[k - 1].lineNumber;
      const std::int64_t gap = p.lines[k].lineNumber - from - 1;
      if (gap > 0 && gap <= kMaxFilledGap && filled + gap <= budget) {
        for (std::int64_t n = from + 1; n <= from + gap; ++n) {
          out.push_back({std::nullopt, n, timeOfLine(origin, n), false});
        }
        filled += gap;
      }
    }
    out.push_back(p.lines[k]);
  }
  p.filledLines = static_cast<int>(filled);
  p.lines = std::move(out);
}

}  // namespace

bool FrameStamp::plausible() const {
  return dayOfYear >= 1 && dayOfYear <= 366 && msOfDay >= 0 && msOfDay < kMsPerDay;
}

std::optional<std::size_t> findAnchorFrame(std::span<const FrameStamp> stamps) {
  for (std::size_t run = 3; run >= 1; --run) {
    for (std::size_t i = 0; i + run <= stamps.size(); ++i) {
      bool ok = stamps[i].plausible();
      for (std::size_t k = 1; ok && k < run; ++k) {
        ok = stamps[i + k].plausible() && followsByOneLine(stamps[i + k - 1], stamps[i + k]);
      }
      if (ok) return i;
    }
  }
  return std::nullopt;
}

Placement placeFrames(std::span<const FrameStamp> stamps, UtcMs anchorTime) {
  Grid g = gridOf(stamps, anchorTime);
  const std::vector<std::size_t> chosen = consistentStamps(g);
  Placement p;
  if (chosen.empty()) {
    p.droppedFrames = static_cast<int>(stamps.size());
    return p;
  }
  const int offset = minorFrameOffset(stamps, g, chosen);
  const auto countsRight = [&](std::size_t i, std::int64_t line) {
    return stamps[i].minorFrame == mod(line + offset, 3) + 1;
  };
  std::vector<std::size_t> trusted;
  for (const auto i : chosen) {
    if (countsRight(i, *g.line[i])) trusted.push_back(i);
  }
  if (trusted.empty()) {
    p.droppedFrames = static_cast<int>(stamps.size());
    return p;
  }
  untrustLoneEnds(trusted, g);
  const double origin = gridOrigin(g, trusted);

  std::vector<std::optional<std::int64_t>> line(stamps.size());
  std::vector<bool> repaired(stamps.size(), false);
  for (const auto i : trusted) {
    line[i] = g.line[i];
    repaired[i] = snapsToGrid(g, origin, i);
  }
  for (const Run& run : repairableRuns(trusted, g, stamps.size())) {
    for (std::size_t k = 0; k < run.count; ++k) {
      const std::size_t i = run.first + k;
      if (!run.firstLine || !countsRight(i, *run.firstLine + static_cast<std::int64_t>(k)))
        continue;
      line[i] = *run.firstLine + static_cast<std::int64_t>(k);
      repaired[i] = true;
    }
  }

  for (std::size_t i = 0; i < stamps.size(); ++i) {
    if (!line[i]) {
      ++p.droppedFrames;
      continue;
    }
    const UtcMs t = repaired[i] ? timeOfLine(origin, *line[i]) : g.time[i];
    p.lines.push_back({i, *line[i], t, repaired[i]});
  }
  fillGaps(p, origin);
  const std::int64_t first = p.lines.empty() ? 0 : p.lines.front().lineNumber;
  for (auto& l : p.lines) l.lineNumber -= first;
  return p;
}

}  // namespace kestrova::avhrr::hrpt
