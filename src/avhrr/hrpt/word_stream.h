// The words of a raw HRPT file in one of its storages. Positions count bits in a packed stream
// (frames need not start on a byte) and bytes in a 16-bit one (garbage may leave a frame on an odd
// byte), so the frame search works the same over all three.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "avhrr/pass.h"

namespace kestrova::avhrr::hrpt {

class WordStream {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // inverted: the packed bit stream arrived with every bit flipped.
  WordStream(std::span<const std::uint8_t> bytes, HrptStorage storage, bool inverted = false);

  HrptStorage storage() const { return storage_; }
  bool inverted() const { return inverted_; }
  std::size_t size() const { return size_; }
  std::size_t frameSize() const { return frameSize_; }
  // How far from its predicted position a frame is looked for after a bit slip.
  std::size_t slipWindow() const { return slipWindow_; }
  std::size_t byteOffset(std::size_t pos) const;
  bool fitsFrame(std::size_t pos) const { return pos <= size_ && size_ - pos >= frameSize_; }

  // Bits that differ from the sync pattern in the frame starting at pos; more than any tolerance
  // when the pattern would run past the end.
  int syncErrors(std::size_t pos) const;
  // First position in [from, to) where a whole frame fits and its sync pattern has at most
  // tolerance bit errors, or npos.
  std::size_t findSync(std::size_t from, std::size_t to, int tolerance) const;
  // Words first, first+1, ... of the frame at pos (which must fit), as 10-bit values.
  void readWords(std::size_t pos, int first, std::span<std::uint16_t> out) const;

 private:
  std::uint64_t bitsAt(std::size_t bit, int count) const;
  std::uint16_t word16At(std::size_t byte) const;
  int syncErrorsPacked(std::size_t bit) const;
  int syncErrors16(std::size_t byte) const;
  std::size_t findSyncPacked(std::size_t from, std::size_t to, int tolerance) const;

  std::span<const std::uint8_t> bytes_;
  HrptStorage storage_;
  bool inverted_;
  std::size_t size_;
  std::size_t frameSize_;
  std::size_t slipWindow_;
};

}  // namespace kestrova::avhrr::hrpt
