// Big-endian fields of Level 1b records. Callers check the span covers the field first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrova::avhrr::level1b {

using Bytes = std::span<const std::uint8_t>;
using MutableBytes = std::span<std::uint8_t>;

// Inline: the readers call these for every sample of a pass.
inline std::uint16_t readU16(Bytes b, std::size_t offset) {
  return static_cast<std::uint16_t>(b[offset] << 8 | b[offset + 1]);
}

inline std::int16_t readI16(Bytes b, std::size_t offset) {
  return static_cast<std::int16_t>(readU16(b, offset));
}

inline std::uint32_t readU32(Bytes b, std::size_t offset) {
  return static_cast<std::uint32_t>(readU16(b, offset)) << 16 | readU16(b, offset + 2);
}

inline std::int32_t readI32(Bytes b, std::size_t offset) {
  return static_cast<std::int32_t>(readU32(b, offset));
}

void writeU16(MutableBytes b, std::size_t offset, std::uint16_t value);
void writeI16(MutableBytes b, std::size_t offset, std::int16_t value);
void writeU32(MutableBytes b, std::size_t offset, std::uint32_t value);
void writeI32(MutableBytes b, std::size_t offset, std::int32_t value);

}  // namespace kestrova::avhrr::level1b
