#include "products/panorama_correction.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "avhrr/geolocation/location_grid.h"
#include "avhrr/geolocation/scan_geometry.h"
#include "base/error.h"
#include "products/scan_ground.h"

namespace kestrova::products {
namespace {

double scanAngleOf(int width, double sample) {
  return avhrr::scanAngle(width == avhrr::kGacWidth ? 5.0 * sample + 1.5 : sample);
}

// Inverse of scanAngleOf.
double sampleOf(int width, double scanAngleRad) {
  const double perRad = avhrr::kScanCentre / (avhrr::kScanHalfAngleDeg * std::numbers::pi / 180.0);
  const double full = avhrr::kScanCentre - scanAngleRad * perRad;
  return width == avhrr::kGacWidth ? (full - 1.5) / 5.0 : full;
}

// Colour: the three components side by side in 16-bit lanes of one word, so that one multiply
// weighs all three (255 * 256 + 128 still fits a lane).
std::uint64_t lanes(const std::uint8_t* p) {
  return p[0] | std::uint64_t{p[1]} << 16 | std::uint64_t{p[2]} << 32;
}

void resampleColourRow(const std::uint8_t* in, std::uint8_t* out, const std::uint32_t* left,
                       const std::uint16_t* right, std::size_t n) {
  constexpr std::uint64_t kHalf = 0x0000'0080'0080'0080;
  for (std::size_t j = 0; j < n; ++j) {
    const std::uint8_t* a = in + static_cast<std::size_t>(left[j]) * 3;
    const std::uint64_t w = right[j];
    const std::uint64_t v = (lanes(a) * (256 - w) + lanes(a + 3) * w + kHalf) >> 8;
    out[3 * j] = static_cast<std::uint8_t>(v);
    out[3 * j + 1] = static_cast<std::uint8_t>(v >> 16);
    out[3 * j + 2] = static_cast<std::uint8_t>(v >> 32);
  }
}

void resampleGreyRow(const std::uint8_t* in, std::uint8_t* out, const std::uint32_t* left,
                     const std::uint16_t* right, std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) {
    const std::uint8_t* a = in + left[j];
    const unsigned w = right[j];
    out[j] = static_cast<std::uint8_t>((a[0] * (256u - w) + a[1] * w + 128u) >> 8);
  }
}

}  // namespace

PanoramaCorrection::PanoramaCorrection(int width, double heightKm) : width_(width) {
  if (width < 2)
    throw Error("A picture " + std::to_string(width) + " samples wide has no scan to correct");
  const double step = std::abs(scanAngleOf(width, 0) - scanAngleOf(width, 1));
  spacingKm_ = groundDistanceKm(step, heightKm);
  const double edgeKm = groundDistanceKm(std::abs(scanAngleOf(width, 0)), heightKm);
  const int half = static_cast<int>(std::floor(edgeKm / spacingKm_));
  const int columns = 2 * half + 1;
  source_.resize(static_cast<std::size_t>(columns));
  left_.resize(source_.size());
  right_.resize(source_.size());
  for (int j = 0; j < columns; ++j) {
    // Column 0 shows sample 0's side of the scan, so left stays left.
    const double ground = (half - j) * spacingKm_;
    const double s = std::clamp(sampleOf(width, scanAngleForGround(ground, heightKm)), 0.0,
                                static_cast<double>(width - 1));
    const auto i = static_cast<std::size_t>(j);
    source_[i] = s;
    const double floorS = std::min(std::floor(s), static_cast<double>(width - 2));
    left_[i] = static_cast<std::uint32_t>(floorS);
    right_[i] = static_cast<std::uint16_t>(std::lround((s - floorS) * 256.0));
  }
}

Image PanoramaCorrection::apply(const Image& plain) const {
  if (plain.width != width_)
    throw Error("The picture to correct is " + std::to_string(plain.width) +
                " samples wide, not the pass's " + std::to_string(width_));
  Image out = Image::blank(outputWidth(), plain.height, plain.format);
  const auto n = static_cast<std::size_t>(outputWidth());
  for (int y = 0; y < plain.height; ++y) {
    if (plain.format == PixelFormat::Grey8)
      resampleGreyRow(plain.row(y), out.row(y), left_.data(), right_.data(), n);
    else
      resampleColourRow(plain.row(y), out.row(y), left_.data(), right_.data(), n);
  }
  return out;
}

}  // namespace kestrova::products
