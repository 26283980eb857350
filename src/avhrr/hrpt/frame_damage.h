// Where a frame stops being itself. When the next sync is not where a frame ends, bits were lost
// or garbage arrived inside it or after it; the frame's last hundred words (the auxiliary sync,
// the same in every frame) tell which, and the earth samples of the lines either side tell from
// which sample on its counts are something else's.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "avhrr/hrpt/frame_format.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt {

constexpr int kTailWord = kFrameWords - 100;
constexpr int kTailWords = 100;

using FrameTail = std::array<std::uint16_t, kTailWords>;

enum class TailState {
  Intact,        // the frame is whole: what displaced the next sync came after it
  BrokenInTail,  // the damage lies past the earth samples
  BrokenBefore,  // the damage lies somewhere before the tail
};

// Word by word, the value most of the given tails hold.
FrameTail commonTail(std::span<const FrameTail> tails);

TailState judgeTail(std::span<const std::uint16_t, kTailWords> tail, const FrameTail& common);

// The first earth sample of the line whose counts part for good from those of the nearest
// undamaged lines either side; the width when they agree throughout; none when the lines cannot
// tell (no such line, a scene that changes too much from line to line, or differences
// everywhere without a point where they begin).
std::optional<int> earthDamagePoint(const Pass& pass, int line);

}  // namespace kestrova::avhrr::hrpt
