// How values become 8-bit tones and colours: fixed ranges and palettes, the same for every pass,
// so that pictures of different passes compare. The table and the reasons are in
// product_scales.cpp; the help describes the same ranges.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "avhrr/calibration/pass_calibration.h"

namespace kestrova::products {

// A straight ramp: value `black` to 0, value `white` to 255 (white may lie below black).
struct Ramp {
  float black = 0;
  float white = 1;
};

struct PaletteAnchor {
  float value;
  std::uint8_t r, g, b;
};

// A palette sampled at 256 steps from the first anchor's value to the last's.
class Palette {
 public:
  explicit Palette(std::span<const PaletteAnchor> anchors);
  // NaN is black; values beyond the ends take the end colours.
  void apply(const float* values, std::size_t n, std::uint8_t* rgb) const;
  const std::array<std::uint8_t, 3>& colour(float value) const;

 private:
  float first_, scale_;
  std::array<std::array<std::uint8_t, 3>, 256> table_{};
};

// The fixed mappings (see product_scales.cpp for why each was chosen).
struct Scales {
  static constexpr Ramp kThermal{320.0f, 190.0f};          // K, cold white
  static constexpr Ramp kCounts{0.0f, 1023.0f};            // uncalibrated channels
  static constexpr Ramp kSplitWindow{-1.0f, 6.0f};         // T4 - T5, K
  static constexpr float kDayZenith = 85.0f;               // false colour: day below
  static constexpr float kNightZenith = 95.0f;             // and night above
  static constexpr float kVegetationSunElevation = 10.0f;  // NDVI only above this, degrees
  static constexpr std::array<std::uint8_t, 3> kNightGrey{112, 112, 112};  // NDVI at night
  static constexpr std::array<std::uint8_t, 3> kLandTone{92, 84, 76};      // SST: land
  static constexpr std::array<std::uint8_t, 3> kCloudTone{196, 196, 196};  // SST: cloud
  static const Palette& temperature();                                     // °C, -80 .. +40
  static const Palette& seaSurface();                                      // °C, -2 .. +32
  static const Palette& vegetation();                                      // NDVI, -1 .. 0.8
};

// The grey tone of a channel's values in the unit the line's calibration gives them: percent
// albedo through a square root, kelvin inverted, raw counts straight. NaN is black. `step` is
// the distance between written bytes (1 grey, 3 for one component of a colour row).
void greyRow(const float* values, std::size_t n, avhrr::Unit unit, std::uint8_t* out,
             std::size_t step);

// A ramp over a row, NaN black.
void rampRow(const float* values, std::size_t n, Ramp ramp, std::uint8_t* out, std::size_t step);

}  // namespace kestrova::products
