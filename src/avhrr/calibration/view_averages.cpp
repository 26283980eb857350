#include "avhrr/calibration/view_averages.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "avhrr/calibration/robust_mean.h"

namespace kestrova::avhrr {
namespace {

// A PRT word triple below this mean is a reference line (all three words zero, give or take noise).
constexpr double kReferenceThreshold = 50;
// GAC keeps one line in three (500 ms apart); anything longer is a gap.
constexpr double kMaxLineStepMs = 4 * kLinePeriodMs;
constexpr int kPrtCycle = 5;

// Counts by which one sample of a view may stray from the others of its line before it is taken
// for a wrong word (the views' own noise is a count or two), and one line's value from those of
// the window around it.
constexpr double kSampleTolerance = 3;
constexpr double kLineTolerance = 1;

bool contributes(const ScanLine& line) {
  return line.quality != LineQuality::Missing && line.views.has_value();
}

// One line's estimate of a view from its samples, each judged against the others.
template <std::size_t N, std::size_t M>
std::optional<double> lineValue(const std::array<std::array<std::uint16_t, M>, N>& samples,
                                std::size_t column) {
  std::array<double, N> values{};
  for (std::size_t k = 0; k < N; ++k) values[k] = samples[k][column];
  return robustMean(values, kSampleTolerance);
}

// The three readings of the line's PRT; a reference line reads (about) zero.
std::optional<double> prtValue(const CalibrationViews& views) {
  std::array<double, 3> values{};
  std::copy(views.prt.begin(), views.prt.end(), values.begin());
  return robustMean(values, kSampleTolerance);
}

// Segments: runs of lines with no gap between them; id per line.
std::vector<int> segmentIds(const Pass& pass, bool splitAtChannel3Switch) {
  std::vector<int> ids(pass.lines.size(), 0);
  int id = 0;
  for (std::size_t i = 1; i < pass.lines.size(); ++i) {
    const auto& a = pass.lines[i - 1];
    const auto& b = pass.lines[i];
    const auto step = b.time - a.time;
    const bool gap = a.quality == LineQuality::Missing || b.quality == LineQuality::Missing ||
                     step <= 0 || step > kMaxLineStepMs;
    if (gap || (splitAtChannel3Switch && a.channel3 != b.channel3)) ++id;
    ids[i] = id;
  }
  return ids;
}

// [first, last) of each line's segment.
std::vector<std::pair<std::size_t, std::size_t>> segmentBounds(const std::vector<int>& ids) {
  std::vector<std::pair<std::size_t, std::size_t>> bounds(ids.size());
  std::size_t start = 0;
  for (std::size_t i = 1; i <= ids.size(); ++i) {
    if (i == ids.size() || ids[i] != ids[i - 1]) {
      for (std::size_t j = start; j < i; ++j) bounds[j] = {start, i};
      start = i;
    }
  }
  return bounds;
}

// Position of each line in the PRT cycle (0 = reference, 1..4 = PRT1..4), or -1 when no
// reference line fixes it. Each segment votes with its own reference lines; a segment without
// one borrows the vote of the whole pass (the line numbers come from the times, so they agree).
std::vector<int> prtPhases(const Pass& pass, const std::vector<int>& segments,
                           const std::vector<long long>& lineNumbers,
                           const std::vector<std::optional<double>>& prtReadings) {
  std::map<int, std::array<int, kPrtCycle>> votes;
  std::array<int, kPrtCycle> allVotes{};
  for (std::size_t i = 0; i < pass.lines.size(); ++i) {
    if (!prtReadings[i] || *prtReadings[i] >= kReferenceThreshold) continue;
    const int residue = static_cast<int>(((lineNumbers[i] % kPrtCycle) + kPrtCycle) % kPrtCycle);
    ++votes[segments[i]][residue];
    ++allVotes[residue];
  }
  auto winner = [](const std::array<int, kPrtCycle>& v) -> int {
    const auto it = std::max_element(v.begin(), v.end());
    return *it == 0 ? -1 : static_cast<int>(it - v.begin());
  };
  const int passPhase = winner(allVotes);
  std::vector<int> phases(pass.lines.size(), -1);
  for (std::size_t i = 0; i < pass.lines.size(); ++i) {
    const auto it = votes.find(segments[i]);
    const int reference = it != votes.end() ? winner(it->second) : passPhase;
    if (reference < 0) continue;
    const long long shifted = lineNumbers[i] - reference;
    phases[i] = static_cast<int>(((shifted % kPrtCycle) + kPrtCycle) % kPrtCycle);
  }
  return phases;
}

// Each PRT's median reading over the pass: the target's temperature changes by a kelvin or two
// (some 40 counts) in a pass, so a reading far from it is a wrong word however few its
// neighbours in the window are.
constexpr double kPrtPlausibleCounts = 50;

std::array<std::optional<double>, 4> prtPassMedians(
    const std::vector<std::optional<double>>& readings, const std::vector<int>& phases) {
  std::array<std::optional<double>, 4> out;
  for (std::size_t k = 0; k < out.size(); ++k) {
    std::vector<double> values;
    for (std::size_t i = 0; i < readings.size(); ++i)
      if (readings[i] && phases[i] == static_cast<int>(k) + 1 &&
          *readings[i] >= kReferenceThreshold)
        values.push_back(*readings[i]);
    if (values.empty()) continue;
    const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    out[k] = *mid;
  }
  return out;
}

bool plausiblePrt(std::optional<double> reading, int phase,
                  const std::array<std::optional<double>, 4>& medians) {
  if (!reading || phase <= 0 || *reading < kReferenceThreshold) return false;
  const auto& median = medians[static_cast<std::size_t>(phase - 1)];
  return median && std::abs(*reading - *median) <= kPrtPlausibleCounts;
}

// Each line's values of one quantity; the window's estimate takes those that agree.
class WindowValues {
 public:
  explicit WindowValues(std::size_t lines) : values_(lines) {}
  void set(std::size_t line, std::optional<double> value) { values_[line] = value; }
  std::optional<double> estimate(std::size_t from, std::size_t to) const {
    window_.clear();
    for (std::size_t i = from; i < to; ++i)
      if (values_[i]) window_.push_back(*values_[i]);
    return robustMean(window_, kLineTolerance);
  }

 private:
  std::vector<std::optional<double>> values_;
  mutable std::vector<double> window_;  // reused: a pass asks for thousands of windows
};

}  // namespace

std::vector<LineViews> averageViews(const Pass& pass, int radius) {
  const std::size_t n = pass.lines.size();
  std::vector<LineViews> result(n);
  if (n == 0) return result;
  radius = std::max(radius, 2);  // at least one full PRT cycle

  const UtcMs t0 = pass.lines.front().time;
  std::vector<long long> lineNumbers(n);
  std::vector<std::optional<double>> prtReadings(n);
  for (std::size_t i = 0; i < n; ++i) {
    lineNumbers[i] = std::llround(static_cast<double>(pass.lines[i].time - t0) / kLinePeriodMs);
    if (contributes(pass.lines[i])) prtReadings[i] = prtValue(*pass.lines[i].views);
  }

  const auto segments = segmentIds(pass, false);
  const auto channel3Segments = segmentIds(pass, true);
  const auto bounds = segmentBounds(segments);
  const auto channel3Bounds = segmentBounds(channel3Segments);
  const auto phases = prtPhases(pass, segments, lineNumbers, prtReadings);

  const auto prtMedians = prtPassMedians(prtReadings, phases);
  std::array<WindowValues, 3> space{WindowValues(n), WindowValues(n), WindowValues(n)};
  std::array<WindowValues, 3> target{WindowValues(n), WindowValues(n), WindowValues(n)};
  std::array<WindowValues, 4> prt{WindowValues(n), WindowValues(n), WindowValues(n),
                                  WindowValues(n)};
  for (std::size_t i = 0; i < n; ++i) {
    const auto& line = pass.lines[i];
    if (!contributes(line)) continue;
    for (std::size_t c = 0; c < 3; ++c) {
      // Channel 3's views are emissive only on 3B lines; AVHRR/2 has no 3A.
      if (c == 0 && line.channel3 != Channel3::B3) continue;
      space[c].set(i, lineValue(line.views->space, c + 2));
      target[c].set(i, lineValue(line.views->ict, c));
    }
    if (plausiblePrt(prtReadings[i], phases[i], prtMedians))
      prt[static_cast<std::size_t>(phases[i] - 1)].set(i, prtReadings[i]);
  }

  const auto r = static_cast<std::size_t>(radius);
  for (std::size_t i = 0; i < n; ++i) {
    if (pass.lines[i].quality == LineQuality::Missing) continue;
    auto window = [&](std::pair<std::size_t, std::size_t> b) {
      return std::pair{std::max(b.first, i >= r ? i - r : 0), std::min(b.second, i + r + 1)};
    };
    const auto [from, to] = window(bounds[i]);
    const auto [from3, to3] = window(channel3Bounds[i]);
    auto& out = result[i];
    for (std::size_t c = 0; c < 3; ++c) {
      const auto f = c == 0 ? from3 : from;
      const auto t = c == 0 ? to3 : to;
      out.space[c] = space[c].estimate(f, t);
      out.target[c] = target[c].estimate(f, t);
    }
    for (std::size_t k = 0; k < 4; ++k) out.prtCounts[k] = prt[k].estimate(from, to);
  }
  return result;
}

}  // namespace kestrova::avhrr
