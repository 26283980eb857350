// CRC-32 as in zlib and PNG (reflected polynomial 0xEDB88320, initial and final XOR 0xFFFFFFFF).
#pragma once

#include <cstdint>
#include <span>

namespace kestrova::avhrr {

std::uint32_t crc32(std::span<const std::uint8_t> bytes);

}  // namespace kestrova::avhrr
