#include "avhrr/hrpt/frame_fields.h"

#include <bit>

namespace kestrova::avhrr::hrpt {

std::uint16_t encodeId(const FrameId& id) {
  return static_cast<std::uint16_t>(((id.minorFrame & kMinorFrameMask) << kMinorFrameShift) |
                                    ((id.address & kAddressMask) << kAddressShift) |
                                    (id.channel3 == Channel3::A3 ? kChannel3ABit : 0));
}

FrameId decodeId(std::uint16_t word) {
  return {(word >> kMinorFrameShift) & kMinorFrameMask, (word >> kAddressShift) & kAddressMask,
          (word & kChannel3ABit) != 0 ? Channel3::A3 : Channel3::B3};
}

std::array<std::uint16_t, 4> encodeTimeCode(int dayOfYear, std::int64_t msOfDay) {
  const auto ms = static_cast<std::uint32_t>(msOfDay);
  return {static_cast<std::uint16_t>((dayOfYear & 0x1FF) << 1),
          static_cast<std::uint16_t>((ms >> 20) & 0x7F),
          static_cast<std::uint16_t>((ms >> 10) & kWordMask),
          static_cast<std::uint16_t>(ms & kWordMask)};
}

FrameStamp decodeStamp(std::span<const std::uint16_t, 6> words) {
  // words[1] is the spare word 8; the spare bits of the time code are masked.
  FrameStamp s;
  s.minorFrame = decodeId(words[0]).minorFrame;
  s.dayOfYear = (words[2] >> 1) & 0x1FF;
  s.msOfDay = (static_cast<std::int64_t>(words[3] & 0x7F) << 20) |
              (static_cast<std::int64_t>(words[4]) << 10) | words[5];
  return s;
}

void encodeViews(const CalibrationViews& views, FrameWords frame) {
  for (std::size_t k = 0; k < views.prt.size(); ++k) frame[kPrtWord + k] = views.prt[k] & kWordMask;
  for (std::size_t s = 0; s < views.ict.size(); ++s) {
    for (std::size_t c = 0; c < views.ict[s].size(); ++c) {
      frame[kIctWord + 3 * s + c] = views.ict[s][c] & kWordMask;
    }
  }
  for (std::size_t s = 0; s < views.space.size(); ++s) {
    for (std::size_t c = 0; c < views.space[s].size(); ++c) {
      frame[kSpaceWord + kChannelCount * s + c] = views.space[s][c] & kWordMask;
    }
  }
}

CalibrationViews decodeViews(ConstFrameWords frame) {
  CalibrationViews v;
  for (std::size_t k = 0; k < v.prt.size(); ++k) v.prt[k] = frame[kPrtWord + k];
  for (std::size_t s = 0; s < v.ict.size(); ++s) {
    for (std::size_t c = 0; c < v.ict[s].size(); ++c) v.ict[s][c] = frame[kIctWord + 3 * s + c];
  }
  for (std::size_t s = 0; s < v.space.size(); ++s) {
    for (std::size_t c = 0; c < v.space[s].size(); ++c) {
      v.space[s][c] = frame[kSpaceWord + kChannelCount * s + c];
    }
  }
  return v;
}

std::uint16_t encodeTipWord(std::uint8_t byte) {
  const bool odd = (std::popcount(static_cast<unsigned>(byte)) & 1) != 0;
  return static_cast<std::uint16_t>((byte << kTipByteShift) | (odd ? kTipParityBit : 0));
}

bool tipParityOk(ConstFrameWords frame) {
  for (int k = kTipWord; k < kTipWord + kTipWords; ++k) {
    // The byte and its parity bit together hold an even number of ones.
    if ((std::popcount(static_cast<unsigned>(frame[k] >> 1)) & 1) != 0) return false;
  }
  return true;
}

}  // namespace kestrova::avhrr::hrpt
