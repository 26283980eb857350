// Sea-surface temperature by the split window (MCSST):
//   SST (°C) = a T4 + b (T4 - T5) + c (T4 - T5) (sec(satellite zenith) - 1) + d,   T in kelvin,
// with the operational coefficients published for each satellite (sea_surface.cpp cites them),
// over open sea only and where the sky is clear.
#pragma once

#include <cstdint>
#include <string_view>

#include "avhrr/satellites.h"

namespace kestrova::products {

struct SplitWindow {
  double a, b, c, d;
};

struct SstCoefficients {
  std::string_view satellite;
  SplitWindow day, night;
};

// The published set for a satellite, or null.
const SstCoefficients* sstCoefficients(const avhrr::Satellite* satellite);

// The clear-sky tests. A pixel of open sea is cloud when any fails (land and coast show as
// land, or as cloud where the cold test fails):
//  - cold: T4 below 271.15 K. Sea water freezes near -2 °C, so anything colder is a cloud top
//    (or ice, which has no sea-surface temperature either).
//  - split window: T4 - T5 outside -1 .. +4.5 K. Clear ocean shows +0.5 K in dry air to some
//    +4 K in the humid tropics at the scan's edges; thin cirrus is more, dust and the edges of
//    water clouds less.
//  - reflectance, by day (Sun zenith below 85°): channel 2 reflectance (albedo / cos of the Sun
//    zenith) above 6 %. Open water reflects 1-4 % at 0.86 µm outside sun glint; cloud 20 % and
//    more, so a pixel a tenth covered already fails.
//  - result: an SST below -2 °C or above 35 °C is a cloud the tests above missed.
struct ClearSky {
  static constexpr float kColdestK = 271.15f;
  static constexpr float kSplitLowK = -1.0f;
  static constexpr float kSplitHighK = 4.5f;
  static constexpr float kDayZenithDeg = 85.0f;
  static constexpr float kSeaReflectancePercent = 6.0f;
  static constexpr float kLowestC = -2.0f;
  static constexpr float kHighestC = 35.0f;
};

enum class SeaSurfaceClass : std::uint8_t { NoData, Land, Cloud, ClearSea };

struct SeaSurfaceInputs {
  const float* t4 = nullptr;              // kelvin
  const float* t5 = nullptr;              // kelvin
  const float* albedo2 = nullptr;         // percent
  const float* cosSunZenith = nullptr;    // NaN unknown: night, and no reflectance test
  const float* satSecant = nullptr;       // 1 / cos(satellite zenith)
  const std::uint8_t* openSea = nullptr;  // null: no land mask, nothing is sea
};

// One line: classes, and the SST (°C) of clear sea (NaN elsewhere). coefficients may be null:
// then clear sea is found but has no SST.
void seaSurfaceRow(const SstCoefficients* coefficients, const SeaSurfaceInputs& in, std::size_t n,
                   float* celsius, SeaSurfaceClass* classes);

}  // namespace kestrova::products
