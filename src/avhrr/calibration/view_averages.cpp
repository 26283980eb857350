#include "avhrr/calibration/view_averages.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace kestrova::avhrr {
namespace {

// A PRT word triple below this mean is a reference line (all three words zero, give or take noise).
constexpr double kReferenceThreshold = 50;
// GAC keeps one line in three (500 ms apart); anything longer is a gap.
constexpr double kMaxLineStepMs = 4 * kLinePeriodMs;
constexpr int kPrtCycle = 5;

// Sums over lines for O(1) window means: one running sum and count per quantity.
class PrefixMeans {
 public:
  explicit PrefixMeans(std::size_t lines) : sum_(lines + 1, 0.0), count_(lines + 1, 0) {}
  void set(std::size_t line, std::optional<double> value) {
    sum_[line + 1] = sum_[line] + value.value_or(0.0);
    count_[line + 1] = count_[line] + (value ? 1 : 0);
  }
  std::optional<double> mean(std::size_t from, std::size_t to) const {
    const int n = count_[to] - count_[from];
    if (n == 0) return std::nullopt;
    return (sum_[to] - sum_[from]) / n;
  }

 private:
  std::vector<double> sum_;
  std::vector<int> count_;
};

bool contributes(const ScanLine& line) {
  return line.quality != LineQuality::Missing && line.views.has_value() && line.tipParityOk;
}

double meanOf(const auto& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return sum / static_cast<double>(values.size());
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
                           const std::vector<std::optional<double>>& prtMeans) {
  std::map<int, std::array<int, kPrtCycle>> votes;
  std::array<int, kPrtCycle> allVotes{};
  for (std::size_t i = 0; i < pass.lines.size(); ++i) {
    if (!prtMeans[i] || *prtMeans[i] >= kReferenceThreshold) continue;
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

}  // namespace

std::vector<LineViews> averageViews(const Pass& pass, int radius) {
  const std::size_t n = pass.lines.size();
  std::vector<LineViews> result(n);
  if (n == 0) return result;
  radius = std::max(radius, 2);  // at least one full PRT cycle

  const UtcMs t0 = pass.lines.front().time;
  std::vector<long long> lineNumbers(n);
  std::vector<std::optional<double>> prtMeans(n);
  for (std::size_t i = 0; i < n; ++i) {
    lineNumbers[i] = std::llround(static_cast<double>(pass.lines[i].time - t0) / kLinePeriodMs);
    if (contributes(pass.lines[i])) prtMeans[i] = meanOf(pass.lines[i].views->prt);
  }

  const auto segments = segmentIds(pass, false);
  const auto channel3Segments = segmentIds(pass, true);
  const auto bounds = segmentBounds(segments);
  const auto channel3Bounds = segmentBounds(channel3Segments);
  const auto phases = prtPhases(pass, segments, lineNumbers, prtMeans);

  std::array<PrefixMeans, 3> space{PrefixMeans(n), PrefixMeans(n), PrefixMeans(n)};
  std::array<PrefixMeans, 3> target{PrefixMeans(n), PrefixMeans(n), PrefixMeans(n)};
  std::array<PrefixMeans, 4> prt{PrefixMeans(n), PrefixMeans(n), PrefixMeans(n), PrefixMeans(n)};
  for (std::size_t i = 0; i < n; ++i) {
    const auto& line = pass.lines[i];
    const bool ok = contributes(line);
    for (int c = 0; c < 3; ++c) {
      // Channel 3's views are emissive only on 3B lines; AVHRR/2 has no 3A.
      const bool usable = ok && (c > 0 || line.channel3 == Channel3::B3);
      std::optional<double> s, t;
      if (usable) {
        double sumSpace = 0, sumTarget = 0;
        for (int k = 0; k < kSpaceSamples; ++k) sumSpace += line.views->space[k][c + 2];
        for (int k = 0; k < kIctSamples; ++k) sumTarget += line.views->ict[k][c];
        s = sumSpace / kSpaceSamples;
        t = sumTarget / kIctSamples;
      }
      space[c].set(i, s);
      target[c].set(i, t);
    }
    for (int k = 0; k < 4; ++k) {
      const bool reading = prtMeans[i] && phases[i] == k + 1 && *prtMeans[i] >= kReferenceThreshold;
      prt[k].set(i, reading ? prtMeans[i] : std::nullopt);
    }
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
    for (int c = 0; c < 3; ++c) {
      const auto f = c == 0 ? from3 : from;
      const auto t = c == 0 ? to3 : to;
      out.space[c] = space[c].mean(f, t);
      out.target[c] = target[c].mean(f, t);
    }
    for (int k = 0; k < 4; ++k) out.prtCounts[k] = prt[k].mean(from, to);
  }
  return result;
}

}  // namespace kestrova::avhrr
