// Deterministic smooth noise: the same seed gives the same field on every machine and run, so
// synthetic passes are reproducible byte for byte.
#pragma once

#include <cstdint>

namespace kestrova::avhrr {

class SmoothNoise {
 public:
  explicit SmoothNoise(std::uint64_t seed) : seed_(seed) {}

  // Value noise in 0..1 over space, with features about one unit across. Working in three
  // dimensions lets callers sample the sphere without seams at the date line or the poles.
  double at(double x, double y, double z) const;

  // Octaves of halving size and weight summed and rescaled to 0..1: ragged, cloud-like edges.
  double fractal(double x, double y, double z, int octaves) const;

 private:
  double lattice(std::int64_t ix, std::int64_t iy, std::int64_t iz) const;

  std::uint64_t seed_;
};

}  // namespace kestrova::avhrr
