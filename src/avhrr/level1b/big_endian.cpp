#include "avhrr/level1b/big_endian.h"

namespace kestrova::avhrr::level1b {

std::uint16_t readU16(Bytes b, std::size_t offset) {
  return static_cast<std::uint16_t>(b[offset] << 8 | b[offset + 1]);
}

std::int16_t readI16(Bytes b, std::size_t offset) {
  return static_cast<std::int16_t>(readU16(b, offset));
}

std::uint32_t readU32(Bytes b, std::size_t offset) {
  return static_cast<std::uint32_t>(readU16(b, offset)) << 16 | readU16(b, offset + 2);
}

std::int32_t readI32(Bytes b, std::size_t offset) {
  return static_cast<std::int32_t>(readU32(b, offset));
}

void writeU16(MutableBytes b, std::size_t offset, std::uint16_t value) {
  b[offset] = static_cast<std::uint8_t>(value >> 8);
  b[offset + 1] = static_cast<std::uint8_t>(value);
}

void writeI16(MutableBytes b, std::size_t offset, std::int16_t value) {
  writeU16(b, offset, static_cast<std::uint16_t>(value));
}

void writeU32(MutableBytes b, std::size_t offset, std::uint32_t value) {
  writeU16(b, offset, static_cast<std::uint16_t>(value >> 16));
  writeU16(b, offset + 2, static_cast<std::uint16_t>(value));
}

void writeI32(MutableBytes b, std::size_t offset, std::int32_t value) {
  writeU32(b, offset, static_cast<std::uint32_t>(value));
}

}  // namespace kestrova::avhrr::level1b
