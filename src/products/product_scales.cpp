#include "products/product_scales.h"

#include <algorithm>
#include <cmath>

namespace kestrova::products {
namespace {

// Channel 4 temperature, °C. -80 °C takes in the coldest tropical storm tops; +40 °C a desert
// at noon. Cloud tops run through violet and blue, the freezing level sits at the turn to green,
// and warm ground goes yellow to dark red, so cold tops never look like ground.
constexpr PaletteAnchor kTemperature[] = {
    {-80, 255, 255, 255}, {-70, 210, 130, 255}, {-55, 100, 40, 200}, {-40, 0, 80, 255},
    {-25, 0, 200, 255},   {-10, 0, 170, 120},   {0, 110, 210, 60},   {10, 240, 235, 60},
    {25, 255, 140, 0},    {40, 150, 0, 0},
};

// Sea-surface temperature, °C. Sea water freezes near -2 °C and the warmest open ocean stays
// below 32 °C; the rainbow from deep blue to red separates fronts a degree apart.
constexpr PaletteAnchor kSeaSurface[] = {
    {-2, 60, 0, 110},  {4, 0, 0, 230},    {10, 0, 140, 255}, {15, 0, 215, 200},
    {20, 90, 220, 40}, {24, 250, 230, 0}, {28, 255, 120, 0}, {32, 190, 0, 0},
};

// NDVI. Water is negative (blue), bare soil and desert lie near 0.1-0.2 (brown), dense
// vegetation at 0.6-0.9 (deep green); 0.8 and above are all "dense".
constexpr PaletteAnchor kVegetation[] = {
    {-1.0f, 0, 0, 90},    {-0.05f, 40, 90, 210}, {0.0f, 150, 125, 95}, {0.15f, 185, 150, 95},
    {0.3f, 170, 180, 70}, {0.5f, 80, 160, 40},   {0.8f, 0, 85, 0},
};

// Reflective channels: 255 * sqrt(albedo / 100). The square root lifts dark sea and land,
// where most of the detail is, as the eye expects, and keeps bright cloud from saturating.
// Written without branches (NaN fails the comparison and comes out black) so that it vectorises.
inline std::uint8_t reflectiveTone(float albedo) {
  const float f = albedo > 0.0f ? albedo * 0.01f : 0.0f;
  const float t = std::sqrt(f < 1.0f ? f : 1.0f) * 255.0f + 0.5f;
  return static_cast<std::uint8_t>(static_cast<int>(t));
}

inline std::uint8_t rampTone(float v, float offset, float scale) {
  const float t = (v - offset) * scale + 0.5f;
  const float clamped = t > 0.0f ? (t < 255.0f ? t : 255.0f) : 0.0f;
  return static_cast<std::uint8_t>(static_cast<int>(clamped));
}

// Tones are worked out a chunk at a time into a small buffer, where the loop vectorises, and
// then spread to every first, second or third byte as the picture wants them.
template <typename Tone>
void writeTones(const float* values, std::size_t n, std::uint8_t* out, std::size_t step,
                Tone tone) {
  constexpr std::size_t kChunk = 256;
  std::uint8_t chunk[kChunk];
  for (std::size_t first = 0; first < n; first += kChunk) {
    const std::size_t m = std::min(kChunk, n - first);
    for (std::size_t i = 0; i < m; ++i) chunk[i] = tone(values[first + i]);
    std::uint8_t* to = out + first * step;
    if (step == 1)
      std::copy_n(chunk, m, to);
    else
      for (std::size_t i = 0; i < m; ++i) to[i * step] = chunk[i];
  }
}

}  // namespace

Palette::Palette(std::span<const PaletteAnchor> anchors)
    : first_(anchors.front().value),
      scale_(255.0f / (anchors.back().value - anchors.front().value)) {
  std::size_t k = 0;
  for (int i = 0; i < 256; ++i) {
    const float v = first_ + static_cast<float>(i) / scale_;
    while (k + 2 < anchors.size() && v > anchors[k + 1].value) ++k;
    const auto& a = anchors[k];
    const auto& b = anchors[k + 1];
    const float t = std::clamp((v - a.value) / (b.value - a.value), 0.0f, 1.0f);
    auto mix = [t](std::uint8_t x, std::uint8_t y) {
      return static_cast<std::uint8_t>(std::lround(x + t * (static_cast<float>(y) - x)));
    };
    table_[static_cast<std::size_t>(i)] = {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
  }
}

const std::array<std::uint8_t, 3>& Palette::colour(float value) const {
  const float t = (value - first_) * scale_ + 0.5f;
  return table_[static_cast<std::size_t>(t > 0 ? std::min(t, 255.0f) : 0.0f)];
}

void Palette::apply(const float* values, std::size_t n, std::uint8_t* rgb) const {
  // Table indexes a chunk at a time (a loop that vectorises; NaN takes the black entry past the
  // palette's end), then the colours copied out.
  static constexpr std::array<std::uint8_t, 3> kBlack{};
  constexpr std::size_t kChunk = 256;
  std::uint16_t index[kChunk];
  for (std::size_t first = 0; first < n; first += kChunk) {
    const std::size_t m = std::min(kChunk, n - first);
    for (std::size_t i = 0; i < m; ++i) {
      const float v = values[first + i];
      const float t = (v - first_) * scale_ + 0.5f;
      const float clamped = t > 0.0f ? (t < 255.0f ? t : 255.0f) : 0.0f;
      index[i] = v == v ? static_cast<std::uint16_t>(static_cast<int>(clamped)) : 256;
    }
    std::uint8_t* out = rgb + 3 * first;
    for (std::size_t i = 0; i < m; ++i) {
      const auto& c = index[i] < 256 ? table_[index[i]] : kBlack;
      std::copy_n(c.data(), 3, out + 3 * i);
    }
  }
}

const Palette& Scales::temperature() {
  static const Palette palette(kTemperature);
  return palette;
}
const Palette& Scales::seaSurface() {
  static const Palette palette(kSeaSurface);
  return palette;
}
const Palette& Scales::vegetation() {
  static const Palette palette(kVegetation);
  return palette;
}

void rampRow(const float* values, std::size_t n, Ramp ramp, std::uint8_t* out, std::size_t step) {
  const float scale = 255.0f / (ramp.white - ramp.black);
  const float offset = ramp.black;
  writeTones(values, n, out, step, [=](float v) { return rampTone(v, offset, scale); });
}

void greyRow(const float* values, std::size_t n, avhrr::Unit unit, std::uint8_t* out,
             std::size_t step) {
  switch (unit) {
    case avhrr::Unit::AlbedoPercent:
      return writeTones(values, n, out, step, [](float v) { return reflectiveTone(v); });
    case avhrr::Unit::Kelvin:
      // 320 K black to 190 K white: cold cloud tops white as in every weather picture, and
      // the range holds everything from the coldest storm tops to a desert at noon.
      return rampRow(values, n, Scales::kThermal, out, step);
    case avhrr::Unit::Counts:
      // Uncalibrated: the counts straight. Thermal counts already rise as the scene cools.
      return rampRow(values, n, Scales::kCounts, out, step);
  }
}

}  // namespace kestrova::products
