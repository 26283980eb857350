// The decoder's command line:
//   Varnock.exe <data file> -direction:south|north -output:<base> <items...> [-close] [-min]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "varnock/decoder_items.h"

namespace kestrova::varnock {

enum class Direction { South, North };  // North: every picture turned by 180 degrees

struct DecoderOptions {
  std::string dataFile;
  std::optional<Direction> direction;  // as received when not given
  std::string outputBase;              // folder and base name of every file written
  std::vector<Item> items;             // settled: one per picture file
  bool close = false;
  bool minimised = false;
};

// arguments excludes the program name. Option names and keywords ignore letter case; values
// (the data file, the output base) are kept as given. Throws UsageError naming the argument.
DecoderOptions parseDecoderOptions(const std::vector<std::string>& arguments);

// One line for a user who typed the command wrongly.
std::string usageText();

}  // namespace kestrova::varnock
