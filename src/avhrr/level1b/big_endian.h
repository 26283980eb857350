// Big-endian fields of Level 1b records. Callers check the span covers the field first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrova::avhrr::level1b {

using Bytes = std::span<const std::uint8_t>;
using MutableBytes = std::span<std::uint8_t>;

std::uint16_t readU16(Bytes b, std::size_t offset);
std::int16_t readI16(Bytes b, std::size_t offset);
std::uint32_t readU32(Bytes b, std::size_t offset);
std::int32_t readI32(Bytes b, std::size_t offset);

void writeU16(MutableBytes b, std::size_t offset, std::uint16_t value);
void writeI16(MutableBytes b, std::size_t offset, std::int16_t value);
void writeU32(MutableBytes b, std::size_t offset, std::uint32_t value);
void writeI32(MutableBytes b, std::size_t offset, std::int32_t value);

}  // namespace kestrova::avhrr::level1b
