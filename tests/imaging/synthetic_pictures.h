#pragma once
// Pictures made up for the tests and benchmarks of imaging: smooth like a satellite scene, with
// optional noise and hard edges so a codec has real work, or random bytes for exact round trips.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

#include "imaging/image.h"

namespace kestrova::testing {

// Gradients with a few sharp-edged bands; noise (0 = none) adds up to ± noise per sample.
inline Image scenePicture(int width, int height, PixelFormat format, int noise = 0) {
  Image image = Image::blank(width, height, format);
  std::minstd_rand random(12345);
  std::uniform_int_distribution<int> jitter(-noise, noise);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.row(y);
    for (int x = 0; x < width; ++x) {
      const double wave = 60 * std::sin(x * 0.013) * std::cos(y * 0.009);
      const int edge = ((x / 97 + y / 131) % 5 == 0) ? 50 : 0;
      for (int c = 0; c < image.channels(); ++c) {
        int value = 90 + c * 30 + static_cast<int>(wave) + edge + (noise ? jitter(random) : 0);
        row[x * image.channels() + c] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
      }
    }
  }
  return image;
}

inline Image randomPicture(int width, int height, PixelFormat format, unsigned seed = 7) {
  Image image = Image::blank(width, height, format);
  std::minstd_rand random(seed);
  for (int y = 0; y < height; ++y)
    for (std::size_t i = 0; i < image.rowBytes(); ++i)
      image.row(y)[i] = static_cast<std::uint8_t>(random());
  return image;
}

// Largest absolute difference of any sample, and the mean over all samples.
struct PixelError {
  int largest = 0;
  double mean = 0;
};
inline PixelError pixelError(const Image& a, const Image& b) {
  PixelError error;
  double sum = 0;
  for (int y = 0; y < a.height; ++y)
    for (std::size_t i = 0; i < a.rowBytes(); ++i) {
      int d = std::abs(int(a.row(y)[i]) - int(b.row(y)[i]));
      error.largest = std::max(error.largest, d);
      sum += d;
    }
  error.mean = sum / (double(a.rowBytes()) * a.height);
  return error;
}

}  // namespace kestrova::testing
