// Damaged copies of a recording, as a station receives them at low elevation: bit errors at a
// given rate, garbage inside a frame, frames lost or repeated, a file cut short. Every damage is
// reproducible from its seed.
#pragma once

#include <cstdint>
#include <vector>

namespace kestrova::avhrr::hrpt::testing {

// Flips each of the ten data bits of every 16-bit word with probability rate.
std::vector<std::uint8_t> flipBits(std::vector<std::uint8_t> bytes, double rate,
                                   std::uint64_t seed);

// count random bytes inserted at byteOffset.
std::vector<std::uint8_t> insertGarbage(std::vector<std::uint8_t> bytes, std::size_t byteOffset,
                                        std::size_t count, std::uint64_t seed);

// count spurious bits inserted at bit position bit of a packed stream (a bit slip).
std::vector<std::uint8_t> insertBits(const std::vector<std::uint8_t>& bytes, std::size_t bit,
                                     int count);

// Frames (16-bit storage) removed, or repeated in place.
std::vector<std::uint8_t> dropFrame(std::vector<std::uint8_t> bytes, int frame);
std::vector<std::uint8_t> repeatFrame(std::vector<std::uint8_t> bytes, int frame);

}  // namespace kestrova::avhrr::hrpt::testing
