// What a product reads for one line of a pass: the calibrated channels it asked for, the unit
// each comes in on this line, and the angles and sea mask where it needs them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "avhrr/calibration/pass_calibration.h"

namespace kestrova::products {

struct LineInputs {
  int line = 0;
  std::size_t width = 0;
  std::array<const float*, 5> channel{};  // channels 1-5; null when not asked for
  std::array<avhrr::Unit, 5> unit{};
  // Grey tones of the channels (see greyRow), made once a line for every product that shows
  // them; null when no product asked.
  std::array<const std::uint8_t*, 5> tone{};
  bool channel3A = false;                 // channel 3 carries 3A (reflective) on this line
  const float* sunZenith = nullptr;       // degrees, NaN where unknown
  const float* cosSunZenith = nullptr;    // NaN where unknown
  const float* satZenith = nullptr;       // degrees
  const float* satSecant = nullptr;       // 1 / cos(satellite zenith)
  const std::uint8_t* openSea = nullptr;  // null without positions
};

// What a product asks for.
struct ProductNeeds {
  std::array<bool, 5> channels{};
  bool tones = false;  // the channels' grey tones, not only their values
  bool sunZenith = false;
  bool cosSunZenith = false;
  bool satZenith = false;  // zenith angle and its secant
  bool openSea = false;
};

}  // namespace kestrova::products
