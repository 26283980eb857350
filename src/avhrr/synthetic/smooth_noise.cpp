#include "avhrr/synthetic/smooth_noise.h"

#include <cmath>

namespace kestrova::avhrr {
namespace {

// SplitMix64's finaliser: cheap, and every input bit reaches every output bit.
std::uint64_t mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

// Quintic fade: zero first and second derivatives at the lattice points, so no creases.
double fade(double t) {
  return t * t * t * (t * (t * 6 - 15) + 10);
}

double lerp(double a, double b, double t) {
  return a + (b - a) * t;
}

}  // namespace

double SmoothNoise::lattice(std::int64_t ix, std::int64_t iy, std::int64_t iz) const {
  // One finaliser over a weighted sum of the coordinates: the per-pixel cost matters, and the
  // finaliser alone spreads neighbouring cells apart.
  const std::uint64_t h = mix(mix(seed_) + static_cast<std::uint64_t>(ix) * 0x9e3779b97f4a7c15ULL +
                              static_cast<std::uint64_t>(iy) * 0xc2b2ae3d27d4eb4fULL +
                              static_cast<std::uint64_t>(iz) * 0x165667b19e3779f9ULL);
  return static_cast<double>(h >> 11) * 0x1.0p-53;
}

double SmoothNoise::at(double x, double y, double z) const {
  const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
  const auto ix = static_cast<std::int64_t>(fx);
  const auto iy = static_cast<std::int64_t>(fy);
  const auto iz = static_cast<std::int64_t>(fz);
  const double tx = fade(x - fx), ty = fade(y - fy), tz = fade(z - fz);
  double corner[2][2];
  for (int dz = 0; dz < 2; ++dz)
    for (int dy = 0; dy < 2; ++dy)
      corner[dz][dy] = lerp(lattice(ix, iy + dy, iz + dz), lattice(ix + 1, iy + dy, iz + dz), tx);
  return lerp(lerp(corner[0][0], corner[0][1], ty), lerp(corner[1][0], corner[1][1], ty), tz);
}

double SmoothNoise::fractal(double x, double y, double z, int octaves) const {
  double sum = 0, weight = 1, total = 0, scale = 1;
  for (int i = 0; i < octaves; ++i) {
    // Offset each octave so their lattices do not line up.
    sum += weight * at(x * scale + 17.3 * i, y * scale - 5.1 * i, z * scale + 9.7 * i);
    total += weight;
    weight *= 0.5;
    scale *= 2.0;
  }
  return total > 0 ? sum / total : 0.5;
}

}  // namespace kestrova::avhrr
