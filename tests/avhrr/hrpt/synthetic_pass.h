// Small passes with varied, known content for the raw HRPT tests, and the stream surgery that
// imitates a bad reception.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt::testing {

// lineCount lines from start, one every 1/6 s (times rounded to the millisecond as the frames
// carry them), NOAA-19, channel 3B, PRT readings cycling with a reference line at scan 0.
Pass syntheticPass(int lineCount, UtcMs start);

// The times a real pass has: start + round(n * 1000 / 6).
UtcMs lineTime(UtcMs start, int line);

std::vector<bool> toBits(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> toBytes(const std::vector<bool>& bits);

// Bytes a frame takes in a 16-bit storage, and bits in a packed one.
constexpr std::size_t kFrame16 = 22180;
constexpr std::size_t kFrameBitCount = 110900;

// Byte offset of word `word` of frame `frame` in a 16-bit little-endian stream.
constexpr std::size_t wordOffset(int frame, int word) {
  return static_cast<std::size_t>(frame) * kFrame16 + static_cast<std::size_t>(word) * 2;
}
void setWordLittleEndian(std::vector<std::uint8_t>& bytes, int frame, int word, std::uint16_t v);

// Same counts, times and views in both passes, line for line.
void expectSameLines(const Pass& expected, const Pass& actual);

}  // namespace kestrova::avhrr::hrpt::testing
