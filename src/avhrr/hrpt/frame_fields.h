// The fields of a minor frame and their encoding, shared by the reader and the writer so both
// agree on every bit.
#pragma once

#include <cstdint>
#include <span>

#include "avhrr/hrpt/frame_format.h"
#include "avhrr/hrpt/line_placement.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt {

using FrameWords = std::span<std::uint16_t, kFrameWords>;
using ConstFrameWords = std::span<const std::uint16_t, kFrameWords>;

struct FrameId {
  int minorFrame = 1;  // 1..3
  int address = 0;     // spacecraft address, 0..15
  Channel3 channel3 = Channel3::B3;
};

std::uint16_t encodeId(const FrameId& id);
FrameId decodeId(std::uint16_t word);

// Words 9-12: day of year, then 27 bits of milliseconds of day.
std::array<std::uint16_t, 4> encodeTimeCode(int dayOfYear, std::int64_t msOfDay);
// From words 7-12 (ID, spare, time code).
FrameStamp decodeStamp(std::span<const std::uint16_t, 6> words);

void encodeViews(const CalibrationViews& views, FrameWords frame);
CalibrationViews decodeViews(ConstFrameWords frame);

// A TIP word: the byte, then its even-parity bit.
std::uint16_t encodeTipWord(std::uint8_t byte);
bool tipParityOk(ConstFrameWords frame);

}  // namespace kestrova::avhrr::hrpt
