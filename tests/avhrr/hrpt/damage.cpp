#include "damage.h"

#include <random>

#include "synthetic_pass.h"

namespace kestrova::avhrr::hrpt::testing {

std::vector<std::uint8_t> flipBits(std::vector<std::uint8_t> bytes, double rate,
                                   std::uint64_t seed) {
  std::mt19937_64 gen(seed);
  // Gaps between flipped bits are geometric: one draw per flip, not per bit.
  std::geometric_distribution<std::size_t> gap(rate);
  const std::size_t bits = bytes.size() / 2 * 10;
  for (std::size_t bit = gap(gen); bit < bits; bit += gap(gen) + 1) {
    const std::size_t word = bit / 10;
    const auto mask = static_cast<std::uint16_t>(1U << (bit % 10));
    // Little-endian words: the low byte first.
    bytes[2 * word] ^= static_cast<std::uint8_t>(mask & 0xFF);
    bytes[2 * word + 1] ^= static_cast<std::uint8_t>(mask >> 8);
  }
  return bytes;
}

std::vector<std::uint8_t> insertGarbage(std::vector<std::uint8_t> bytes, std::size_t byteOffset,
                                        std::size_t count, std::uint64_t seed) {
  std::mt19937_64 gen(seed);
  std::vector<std::uint8_t> garbage(count);
  for (auto& b : garbage) b = static_cast<std::uint8_t>(gen());
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(byteOffset), garbage.begin(),
               garbage.end());
  return bytes;
}

std::vector<std::uint8_t> insertBits(const std::vector<std::uint8_t>& bytes, std::size_t bit,
                                     int count) {
  const auto bitAt = [&](std::size_t k) { return (bytes[k / 8] >> (7 - k % 8)) & 1; };
  const std::size_t total = bytes.size() * 8 + static_cast<std::size_t>(count);
  std::vector<std::uint8_t> out((total + 7) / 8, 0);
  for (std::size_t k = 0; k < total; ++k) {
    // The spurious bits alternate, as a slipping clock would read them.
    const int b = k < bit ? bitAt(k) : k < bit + count ? static_cast<int>(k % 2) : bitAt(k - count);
    out[k / 8] |= static_cast<std::uint8_t>(b << (7 - k % 8));
  }
  return out;
}

std::vector<std::uint8_t> dropFrame(std::vector<std::uint8_t> bytes, int frame) {
  const auto at = bytes.begin() + static_cast<std::ptrdiff_t>(wordOffset(frame, 0));
  bytes.erase(at, at + static_cast<std::ptrdiff_t>(kFrame16));
  return bytes;
}

std::vector<std::uint8_t> repeatFrame(std::vector<std::uint8_t> bytes, int frame) {
  const auto at = static_cast<std::ptrdiff_t>(wordOffset(frame, 0));
  const std::vector<std::uint8_t> copy(bytes.begin() + at,
                                       bytes.begin() + at + static_cast<std::ptrdiff_t>(kFrame16));
  bytes.insert(bytes.begin() + at, copy.begin(), copy.end());
  return bytes;
}

}  // namespace kestrova::avhrr::hrpt::testing
