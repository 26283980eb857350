// Finding the minor frames of a raw HRPT file: which storage it uses, then where each frame
// starts, through bit errors in the sync pattern, bit slips, garbage and lost frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt {

// Bit errors accepted in the sync pattern of a frame that follows a known one.
constexpr int kSyncTolerance = 6;
// A frame with nothing after it to confirm it must match more closely.
constexpr int kLoneSyncTolerance = 2;

struct FrameHit {
  std::size_t position = 0;  // in the stream's units (bits packed, bytes otherwise)
  int syncErrors = 0;
  bool slipped = false;  // found off its predicted position and re-aligned
  // The next sync was not where this frame ends: something was lost or inserted inside it, or
  // garbage follows it. Which, and where, the frame's contents tell (frame_damage.h).
  bool cutShort = false;
};

struct Deframed {
  HrptStorage storage = HrptStorage::Words16LittleEndian;
  bool inverted = false;  // packed stream with flipped polarity
  std::vector<FrameHit> frames;
  int droppedFrames = 0;  // frames whose sync was lost, and garbage skipped, in frame lengths
};

// Throws Error naming the file when no storage shows a confirmed frame sync.
Deframed deframe(std::span<const std::uint8_t> bytes, const std::string& name);

}  // namespace kestrova::avhrr::hrpt
