#include "avhrr/hrpt/word_stream.h"

#include <algorithm>
#include <bit>

#include "avhrr/hrpt/frame_format.h"

namespace kestrova::avhrr::hrpt {
namespace {

constexpr std::uint64_t kSyncMask = (std::uint64_t{1} << kSyncBits) - 1;

constexpr std::uint64_t patternOf(const std::array<std::uint16_t, 6>& words) {
  std::uint64_t pattern = 0;
  for (const auto w : words) pattern = (pattern << kWordBits) | w;
  return pattern;
}
static_assert(patternOf(kSyncWords) == kSyncPattern);

// Slips of a few bits (packed) or a word or two (16-bit) are re-aligned; anything larger is a
// resynchronisation.
constexpr std::size_t kPackedSlipBits = 16;
constexpr std::size_t kWordSlipBytes = 4;

}  // namespace

WordStream::WordStream(std::span<const std::uint8_t> bytes, HrptStorage storage, bool inverted)
    : bytes_(bytes),
      storage_(storage),
      inverted_(inverted && storage == HrptStorage::Packed10),
      size_(storage == HrptStorage::Packed10 ? bytes.size() * 8 : bytes.size()),
      frameSize_(storage == HrptStorage::Packed10 ? kFrameBits : kFrameBytes16),
      slipWindow_(storage == HrptStorage::Packed10 ? kPackedSlipBits : kWordSlipBytes) {}

std::size_t WordStream::byteOffset(std::size_t pos) const {
  return storage_ == HrptStorage::Packed10 ? pos / 8 : pos;
}

std::uint64_t WordStream::bitsAt(std::size_t bit, int count) const {
  const std::size_t first = bit / 8;
  const int skip = static_cast<int>(bit % 8);
  const int byteCount = (skip + count + 7) / 8;
  std::uint64_t v = 0;
  for (int k = 0; k < byteCount; ++k) {
    const std::size_t at = first + static_cast<std::size_t>(k);
    v = (v << 8) | (at < bytes_.size() ? bytes_[at] : 0);
  }
  v >>= byteCount * 8 - skip - count;
  return v & ((std::uint64_t{1} << count) - 1);
}

std::uint16_t WordStream::word16At(std::size_t byte) const {
  const std::uint16_t a = bytes_[byte];
  const std::uint16_t b = bytes_[byte + 1];
  return storage_ == HrptStorage::Words16LittleEndian ? static_cast<std::uint16_t>(a | (b << 8))
                                                      : static_cast<std::uint16_t>((a << 8) | b);
}

int WordStream::syncErrorsPacked(std::size_t bit) const {
  if (bit > size_ || size_ - bit < kSyncBits) return kSyncBits;
  const std::uint64_t half = kSyncBits / 2;
  std::uint64_t v = (bitsAt(bit, half) << half) | bitsAt(bit + half, half);
  if (inverted_) v = ~v & kSyncMask;
  return std::popcount(v ^ kSyncPattern);
}

int WordStream::syncErrors16(std::size_t byte) const {
  constexpr int kBits = static_cast<int>(kSyncWords.size()) * 16;
  if (byte > size_ || size_ - byte < kSyncWords.size() * 2) return kBits;
  int errors = 0;
  for (std::size_t k = 0; k < kSyncWords.size(); ++k) {
    errors += std::popcount(static_cast<unsigned>(word16At(byte + 2 * k) ^ kSyncWords[k]));
  }
  return errors;
}

int WordStream::syncErrors(std::size_t pos) const {
  return storage_ == HrptStorage::Packed10 ? syncErrorsPacked(pos) : syncErrors16(pos);
}

std::size_t WordStream::findSyncPacked(std::size_t from, std::size_t to, int tolerance) const {
  if (size_ < frameSize_) return npos;
  to = std::min(to, size_ - frameSize_ + 1);
  if (from >= to) return npos;
  // A 60-bit window slid one bit at a time.
  std::uint64_t window = (bitsAt(from, 30) << 30) | bitsAt(from + 30, 30);
  if (inverted_) window = ~window & kSyncMask;
  for (std::size_t pos = from;; ++pos) {
    if (std::popcount(window ^ kSyncPattern) <= tolerance) return pos;
    if (pos + 1 >= to) return npos;
    const std::size_t next = pos + kSyncBits;
    std::uint64_t bit = (bytes_[next / 8] >> (7 - next % 8)) & 1U;
    if (inverted_) bit ^= 1U;
    window = ((window << 1) | bit) & kSyncMask;
  }
}

std::size_t WordStream::findSync(std::size_t from, std::size_t to, int tolerance) const {
  if (storage_ == HrptStorage::Packed10) return findSyncPacked(from, to, tolerance);
  if (size_ < frameSize_) return npos;
  to = std::min(to, size_ - frameSize_ + 1);
  for (std::size_t pos = from; pos < to; ++pos) {
    // Cheap rejection on the first word before counting all six.
    if (std::popcount(static_cast<unsigned>(word16At(pos) ^ kSyncWords[0])) > tolerance) continue;
    if (syncErrors16(pos) <= tolerance) return pos;
  }
  return npos;
}

void WordStream::readWords(std::size_t pos, int first, std::span<std::uint16_t> out) const {
  if (storage_ != HrptStorage::Packed10) {
    // The byte order chosen once for the frame, not per word: this loop reads every sample.
    const int high = storage_ == HrptStorage::Words16BigEndian ? 0 : 1;
    const std::uint8_t* b = bytes_.data() + pos + static_cast<std::size_t>(first) * 2;
    for (auto& w : out) {
      w = static_cast<std::uint16_t>((b[high] << 8) | b[1 - high]) & kWordMask;
      b += 2;
    }
    return;
  }
  // An accumulator fed a byte at a time: the frame body is most of the reading work.
  const std::size_t bit = pos + static_cast<std::size_t>(first) * kWordBits;
  std::size_t byte = bit / 8;
  int held = 8 - static_cast<int>(bit % 8);
  std::uint64_t acc = bytes_[byte++] & ((1U << held) - 1);
  const std::uint16_t flip = inverted_ ? kWordMask : 0;
  for (auto& w : out) {
    while (held < kWordBits) {
      acc = (acc << 8) | (byte < bytes_.size() ? bytes_[byte] : 0);
      ++byte;
      held += 8;
    }
    held -= kWordBits;
    w = static_cast<std::uint16_t>(((acc >> held) & kWordMask) ^ flip);
    acc &= (std::uint64_t{1} << held) - 1;
  }
}

}  // namespace kestrova::avhrr::hrpt
