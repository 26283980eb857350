// Ostrelle.exe's command line, as the front end sends it (one argument each, any order, names
// in any letter case, each exactly once):
//   -LCN:<file> -IN:<picture> -OUT:<picture> -lat1:<north> -lat2:<south> -lon1:<west>
//   -lon2:<east> -width:<px> -height:<px> -proj:Polar|Linear|Mercator
#pragma once

#include <span>
#include <string>

#include "base/error.h"
#include "geo/map_view.h"

namespace kestrova::ostrelle {

struct OstrelleOptions {
  std::string locationFile, input, output;
  Projection projection = Projection::Polar;
  GeoBox box{};
  int width = 0, height = 0;
};

// A fault of the command line: the program ends with status 2.
class OptionError : public Error {
 public:
  using Error::Error;
};

// Checks every value before any work and raises OptionError naming the option and the value:
// numbers are decimal (sign and decimal point allowed, nothing else), north above south and both
// within ±90 (±85 for Mercator), longitudes within ±360, width and height whole numbers 1..20000,
// and the box one the projection can draw.
OstrelleOptions parseOstrelleOptions(std::span<const std::string> arguments);

}  // namespace kestrova::ostrelle
