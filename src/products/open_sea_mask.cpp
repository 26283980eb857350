#include "products/open_sea_mask.h"

#include <algorithm>
#include <cmath>

#include "geo/coastline_set.h"

namespace kestrova::products {
namespace {

void setRun(std::vector<std::uint64_t>& bits, std::uint32_t from, std::uint32_t to) {
  for (std::uint32_t c = from; c < to; ++c) bits[c / 64] |= std::uint64_t{1} << (c % 64);
}

// Land cells of one mask row as bits.
void landBits(const CoastlineSet& land, std::uint32_t row, std::vector<std::uint64_t>& bits) {
  std::fill(bits.begin(), bits.end(), 0);
  const auto transitions = land.maskTransitions(row);
  for (std::size_t k = 0; k < transitions.size(); k += 2) {
    const std::uint32_t end = k + 1 < transitions.size() ? transitions[k + 1] : land.maskColumns();
    setRun(bits, transitions[k], end);
  }
}

}  // namespace

OpenSeaMask::OpenSeaMask(const CoastlineSet& land, double southDeg, double northDeg)
    : columns_(land.maskColumns()), rows_(land.maskRows()), wordsPerRow_((columns_ + 63) / 64) {
  auto rowOf = [&](double lat) {
    const double r = std::floor((90.0 - lat) / 180.0 * rows_);
    return static_cast<std::uint32_t>(std::clamp(r, 0.0, static_cast<double>(rows_ - 1)));
  };
  if (!(southDeg <= northDeg)) return;
  firstRow_ = rowOf(northDeg);
  rowCount_ = rowOf(southDeg) - firstRow_ + 1;
  nearLand_.assign(static_cast<std::size_t>(rowCount_) * wordsPerRow_, 0);

  // Rows firstRow_-1 .. last+1 rolled through three buffers: each output row is the union of
  // its own and both neighbours, then widened by a cell to each side.
  std::vector<std::uint64_t> above(wordsPerRow_), here(wordsPerRow_), below(wordsPerRow_);
  if (firstRow_ > 0) landBits(land, firstRow_ - 1, above);
  landBits(land, firstRow_, here);
  const std::uint64_t lastBit = std::uint64_t{1} << ((columns_ - 1) % 64);
  for (std::uint32_t r = 0; r < rowCount_; ++r) {
    const std::uint32_t row = firstRow_ + r;
    if (row + 1 < rows_)
      landBits(land, row + 1, below);
    else
      std::fill(below.begin(), below.end(), 0);
    std::uint64_t* out = nearLand_.data() + static_cast<std::size_t>(r) * wordsPerRow_;
    for (std::size_t w = 0; w < wordsPerRow_; ++w) out[w] = above[w] | here[w] | below[w];
    std::uint64_t carry = 0;  // top bit of the word before, unwidened
    for (std::size_t w = 0; w < wordsPerRow_; ++w) {
      const std::uint64_t v = out[w];
      const std::uint64_t next = w + 1 < wordsPerRow_ ? out[w + 1] : 0;
      out[w] = v | (v << 1) | (v >> 1) | carry | (next << 63);
      carry = v >> 63;
    }
    // The row closes on itself at 180°: the first and last columns are neighbours.
    const bool first = (above[0] | here[0] | below[0]) & 1;
    const std::size_t lw = wordsPerRow_ - 1;
    const bool last = (above[lw] | here[lw] | below[lw]) & lastBit;
    if (last) out[0] |= 1;
    if (first) out[lw] |= lastBit;
    std::swap(above, here);
    std::swap(here, below);
  }
}

bool OpenSeaMask::isOpenSea(float latDeg, float lonDeg) const {
  if (!(latDeg >= -90.0f && latDeg <= 90.0f) || !std::isfinite(lonDeg)) return false;
  const auto row =
      static_cast<std::int64_t>((90.0f - latDeg) * (static_cast<float>(rows_) / 180.0f));
  const std::int64_t r = std::min<std::int64_t>(row, rows_ - 1) - firstRow_;
  if (r < 0 || r >= rowCount_) return false;
  // Positions come in -180..180; a turn either way is all that can be needed.
  float lon = lonDeg + 180.0f;
  lon += lon < 0 ? 360.0f : lon >= 360.0f ? -360.0f : 0.0f;
  if (!(lon >= 0 && lon < 360.0f)) lon = std::fmod(std::fmod(lon, 360.0f) + 360.0f, 360.0f);
  const auto column = std::min<std::uint32_t>(
      static_cast<std::uint32_t>(lon * (static_cast<float>(columns_) / 360.0f)), columns_ - 1);
  const std::uint64_t word = nearLand_[static_cast<std::size_t>(r) * wordsPerRow_ + column / 64];
  return ((word >> (column % 64)) & 1) == 0;
}

}  // namespace kestrova::products
