// Placing decoded frames on the pass's line grid from their time codes: a line every 1/6 s, so
// lost frames leave gaps that become fill lines, and an isolated bad time code is recognised and
// repaired from its neighbours instead of scattering its line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "avhrr/utc_time.h"

namespace kestrova::avhrr::hrpt {

// The longest run of lost lines filled line by line, and the share of fill lines allowed against
// kept ones; beyond either, lines simply jump in time.
constexpr std::int64_t kMaxFilledGap = 1080;  // three minutes
constexpr std::int64_t kMaxFillPerKeptLine = 4;

struct FrameStamp {
  int dayOfYear = 0;         // as decoded, 1..366 when plausible
  std::int64_t msOfDay = 0;  // as decoded
  int minorFrame = 0;        // 1..3 when plausible
  bool plausible() const;
};

struct PlacedLine {
  std::optional<std::size_t> frame;  // index into the stamps; none for a fill line
  std::int64_t lineNumber = 0;       // from the first placed line, in line periods
  UtcMs time = 0;
  bool repaired = false;  // its time code was replaced
};

struct Placement {
  std::vector<PlacedLine> lines;
  int droppedFrames = 0;  // frames that could not be placed or disagree with the minor frame count
  int filledLines = 0;
};

// The frame whose time code starts the most convincing run of consecutive codes, the one the year
// is decided for; none when no code is plausible.
std::optional<std::size_t> findAnchorFrame(std::span<const FrameStamp> stamps);

// anchorTime is the anchor's time code as an instant, its year decided by the caller.
Placement placeFrames(std::span<const FrameStamp> stamps, UtcMs anchorTime);

}  // namespace kestrova::avhrr::hrpt
