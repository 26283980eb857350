#include "avhrr/hrpt/frame_damage.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kestrova::avhrr::hrpt {
namespace {

// Bit errors spoil a few words of an intact tail; a shifted one matches only by chance.
constexpr int kMaxTailMismatches = 10;
constexpr int kTailHeadWords = 10;
constexpr int kMinTailHeadMatches = 8;
// How far the lines either side are looked for, and what a sample differs from them by (over all
// five channels, in counts) before it is taken for another's: well above the scene's own change
// from line to line, far below shifted or foreign words.
constexpr int kNeighbourReach = 3;
constexpr int kMinStep = 60;
constexpr int kStepsPerTypical = 4;
// Beyond this, neighbouring lines say little about each other (or the content is not a scene).
constexpr int kMaxStep = 600;
// Samples the damage must lead by to be believed, and the margin left before it; a line with
// fewer than one sample in four differing, and no such lead, is whole (bit errors aside).
constexpr int kMinLead = 8;
constexpr int kMargin = 4;
constexpr int kCleanShare = 4;

bool undamaged(const ScanLine& line) {
  return line.quality != LineQuality::Missing && line.quality != LineQuality::Damaged;
}

std::vector<int> neighbours(const Pass& pass, int line) {
  std::vector<int> out;
  for (const int direction : {-1, 1}) {
    for (int k = 1; k <= kNeighbourReach; ++k) {
      const int n = line + direction * k;
      if (n < 0 || n >= pass.lineCount()) break;
      if (undamaged(pass.lines[static_cast<std::size_t>(n)])) {
        out.push_back(n);
        break;
      }
    }
  }
  return out;
}

// Per sample, how far the line's counts are from its neighbours' mean, summed over channels.
std::vector<int> differences(const Pass& pass, int line, const std::vector<int>& near) {
  std::vector<int> d(static_cast<std::size_t>(pass.width), 0);
  for (int c = 0; c < kChannelCount; ++c) {
    const auto row = pass.row(c, line);
    for (std::size_t x = 0; x < d.size(); ++x) {
      int sum = 0;
      for (const int n : near) sum += pass.row(c, n)[x];
      d[x] += std::abs(static_cast<int>(row[x]) * static_cast<int>(near.size()) - sum) /
              static_cast<int>(near.size());
    }
  }
  return d;
}

}  // namespace

FrameTail commonTail(std::span<const FrameTail> tails) {
  FrameTail out{};
  std::vector<std::uint16_t> values(tails.size());
  for (std::size_t k = 0; k < out.size(); ++k) {
    for (std::size_t t = 0; t < tails.size(); ++t) values[t] = tails[t][k];
    std::sort(values.begin(), values.end());
    std::size_t best = 0, run = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
      run = i > 0 && values[i] == values[i - 1] ? run + 1 : 1;
      if (run > best) {
        best = run;
        out[k] = values[i];
      }
    }
  }
  return out;
}

TailState judgeTail(std::span<const std::uint16_t, kTailWords> tail, const FrameTail& common) {
  int mismatches = 0, headMatches = 0;
  for (std::size_t k = 0; k < tail.size(); ++k) {
    const bool same = tail[k] == common[k];
    mismatches += same ? 0 : 1;
    if (k < kTailHeadWords && same) ++headMatches;
  }
  if (mismatches <= kMaxTailMismatches) return TailState::Intact;
  return headMatches >= kMinTailHeadMatches ? TailState::BrokenInTail : TailState::BrokenBefore;
}

std::optional<int> earthDamagePoint(const Pass& pass, int line) {
  const auto near = neighbours(pass, line);
  if (near.empty()) return std::nullopt;
  const std::vector<int> d = differences(pass, line, near);
  // How much lines differ here anyway: the two neighbours from each other, else the line from
  // its one neighbour where it agrees most.
  std::vector<int> typical = near.size() == 2 ? differences(pass, near[0], {near[1]}) : d;
  const auto rank =
      typical.begin() + static_cast<std::ptrdiff_t>(typical.size() / (near.size() == 2 ? 2 : 4));
  std::nth_element(typical.begin(), rank, typical.end());
  const int step = std::max(kMinStep, kStepsPerTypical * *rank);
  if (step > kMaxStep) return std::nullopt;
  // The start of the run to the end of the line where differing samples most outnumber the
  // others.
  int lead = 0, bestLead = 0, differing = 0;
  int point = pass.width;
  for (int x = pass.width - 1; x >= 0; --x) {
    const bool differs = d[static_cast<std::size_t>(x)] > step;
    differing += differs ? 1 : 0;
    lead += differs ? 1 : -1;
    if (lead > bestLead) {
      bestLead = lead;
      point = x;
    }
  }
  if (bestLead >= kMinLead) return std::max(0, point - kMargin);
  if (differing * kCleanShare < pass.width) return pass.width;
  return std::nullopt;
}

}  // namespace kestrova::avhrr::hrpt
