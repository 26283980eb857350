// The corrected form of a picture: each line resampled so that its samples lie equally spaced on
// the ground across the scan, at the spacing of the samples at nadir. The scan's edge samples,
// squeezed together in the plain picture, come out as wide as they are on the ground.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/image.h"

namespace kestrova::products {

class PanoramaCorrection {
 public:
  // A plain picture `width` samples wide, seen from heightKm above the ground.
  PanoramaCorrection(int width, double heightKm);

  int plainWidth() const { return width_; }
  int outputWidth() const { return static_cast<int>(source_.size()); }
  double spacingKm() const { return spacingKm_; }
  // The (fractional) sample of the plain picture that output column `column` shows.
  double sourceSample(int column) const { return source_[static_cast<std::size_t>(column)]; }

  // Throws Error when the picture is not `width` samples wide.
  Image apply(const Image& plain) const;

 private:
  int width_;
  double spacingKm_;
  std::vector<double> source_;
  std::vector<std::uint32_t> left_;   // per output column: the sample to its left...
  std::vector<std::uint16_t> right_;  // ...and the weight of the one to its right, of 256
};

}  // namespace kestrova::products
