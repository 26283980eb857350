// Layout of one HRPT minor frame (one AVHRR scan line): 11090 ten-bit words. Indexes are 0-based
// positions in the frame's word array (NOAA numbers words from 1).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrova::avhrr::hrpt {

constexpr int kFrameWords = 11090;
constexpr int kWordBits = 10;
constexpr std::uint16_t kWordMask = 0x3FF;

constexpr std::array<std::uint16_t, 6> kSyncWords{644, 367, 860, 413, 527, 149};
constexpr std::uint64_t kSyncPattern = 0xA116FD719D83C95;  // the six words as 60 bits, MSB first
constexpr int kSyncBits = 60;

constexpr int kIdWord = 6;
constexpr int kTimeWord = 8;    // four words: day of year, then milliseconds of day
constexpr int kPrtWord = 17;    // three readings of one PRT
constexpr int kIctWord = 22;    // 10 samples x (3B, 4, 5)
constexpr int kSpaceWord = 52;  // 10 samples x (1, 2, 3, 4, 5)
constexpr int kTipWord = 103;   // 5 blocks of 104 words, one byte and its parity each
constexpr int kTipWords = 520;
constexpr int kEarthWord = 750;  // 2048 samples x (1, 2, 3, 4, 5)

// ID word fields.
constexpr int kMinorFrameShift = 7;
constexpr std::uint16_t kMinorFrameMask = 0x3;
constexpr int kAddressShift = 3;
constexpr std::uint16_t kAddressMask = 0xF;
constexpr std::uint16_t kChannel3ABit = 0x001;

// TIP words: the byte in the upper eight bits, its even-parity bit next.
constexpr int kTipByteShift = 2;
constexpr std::uint16_t kTipParityBit = 0x002;

// One line every 1/6 s.
constexpr double kLinePeriodMs = 1000.0 / 6.0;

constexpr std::size_t kFrameBits = static_cast<std::size_t>(kFrameWords) * kWordBits;
constexpr std::size_t kFrameBytes16 = static_cast<std::size_t>(kFrameWords) * 2;

}  // namespace kestrova::avhrr::hrpt
