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
  bool channel3A = false;                 // channel 3 carries 3A (reflective) on this line
  const float* sunZenith = nullptr;       // degrees, NaN where unknown
  const float* satZenith = nullptr;       // degrees
  const std::uint8_t* openSea = nullptr;  // null without positions
};

// What a product asks for.
struct ProductNeeds {
  std::array<bool, 5> channels{};
  bool sunZenith = false;
  bool satZenith = false;
  bool openSea = false;
};

}  // namespace kestrova::products
