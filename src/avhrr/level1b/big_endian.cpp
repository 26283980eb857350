#include "avhrr/level1b/big_endian.h"

namespace kestrova::avhrr::level1b {

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
