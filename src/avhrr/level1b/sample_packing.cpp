#include "avhrr/level1b/sample_packing.h"

namespace kestrova::avhrr::level1b {
namespace {

std::size_t sampleCount(int width) {
  return static_cast<std::size_t>(width) * kChannelCount;
}

std::uint16_t sampleAt(Bytes earth, SampleWord word, std::size_t i) {
  switch (word) {
    case SampleWord::Packed10: {
      const std::uint32_t w = readU32(earth, i / 3 * 4);
      return static_cast<std::uint16_t>(w >> (20 - 10 * (i % 3)) & 0x3FF);
    }
    case SampleWord::Bits16:
      return readU16(earth, i * 2) & 0x3FF;
    case SampleWord::Bits8:
      // Eight-bit records keep the top eight bits of each count.
      return static_cast<std::uint16_t>(earth[i] << 2);
  }
  return 0;
}

}  // namespace

std::size_t earthDataBytes(SampleWord word, int width) {
  const std::size_t n = sampleCount(width);
  switch (word) {
    case SampleWord::Packed10:
      return (n + 2) / 3 * 4;
    case SampleWord::Bits16:
      return n * 2;
    case SampleWord::Bits8:
      return n;
  }
  return 0;
}

void unpackEarthData(Bytes earth, SampleWord word, Pass& pass, int line) {
  for (int c = 0; c < kChannelCount; ++c) {
    auto row = pass.row(c, line);
    for (int p = 0; p < pass.width; ++p) {
      row[static_cast<std::size_t>(p)] =
          sampleAt(earth, word, static_cast<std::size_t>(p) * kChannelCount + c);
    }
  }
}

void packEarthData(const Pass& pass, int line, MutableBytes earth) {
  const std::size_t n = sampleCount(pass.width);
  const std::size_t words = (n + 2) / 3;
  for (std::size_t w = 0; w < words; ++w) {
    std::uint32_t packed = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      const std::size_t i = w * 3 + k;
      if (i >= n) break;
      const auto value = pass.row(static_cast<int>(i % kChannelCount), line)[i / kChannelCount];
      packed |= static_cast<std::uint32_t>(value & 0x3FF) << (20 - 10 * k);
    }
    writeU32(earth, w * 4, packed);
  }
}

}  // namespace kestrova::avhrr::level1b
