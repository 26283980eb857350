// The sea of the land mask with one cell of coast left out: a pixel on a coast mixes land and
// water, and a position a kilometre off puts it on the wrong side, so products that only mean
// open water (sea-surface temperature) keep a cell away from any land.
#pragma once

#include <cstdint>
#include <vector>

namespace kestrova {
class CoastlineSet;
}

namespace kestrova::products {

class OpenSeaMask {
 public:
  // The mask rows that cover latitudes south..north (degrees).
  OpenSeaMask(const CoastlineSet& land, double southDeg, double northDeg);

  // False for land, coast, and latitudes outside the band given; NaN is not sea.
  bool isOpenSea(float latDeg, float lonDeg) const;

 private:
  std::uint32_t columns_, rows_;
  std::uint32_t firstRow_ = 0;
  std::size_t wordsPerRow_;
  std::vector<std::uint64_t> nearLand_;  // bit set: land within one cell
  std::uint32_t rowCount_ = 0;
};

}  // namespace kestrova::products
