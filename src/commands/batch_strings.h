#pragma once
// The option tails of the decoder and remapper command lines.
#include <string>
#include <vector>

#include "settings/stored_settings.h"

namespace kestrova {

struct DecoderOptionsInput {
  int remapSource = 5;
  ProductFlags productEnabled{};
  ProductFlags productCorrected{};
  ProductFlags productBitmap{};
  std::string rgbRed, rgbGreen, rgbBlue;  // the channel lists' texts, used as they stand
  bool closeBox = false;                  // "Close Varnock on completion"
  bool minimiseBox = false;               // "Run Varnock minimised"
};

struct DecoderOptions {
  std::string text;
  int closeDecoder = 0;
  int runMinimised = 0;
};

// The product list the decoder is asked to write: the remap source as ".jpg" and "apt.jpg" first,
// then every product whose enabled flag is 1, then "-close" and " -min". Items stand two spaces
// apart and the string is trimmed once before the switches, as stored files have always had it.
DecoderOptions buildDecoderOptions(const DecoderOptionsInput& input);

// The map the remapper is asked for, texts as they stand in the controls.
struct MapRequest {
  std::string latNorth, latSouth, lonWest, lonEast;
  std::string canvasWidth, canvasHeight;
  std::string projection;  // the Project list's text
};

// "-lat1:N", "-lat2:S", "-lon1:W", "-lon2:E", "-width:W", "-height:H", "-proj:P", in this order.
std::vector<std::string> remapOptionArguments(const MapRequest& map);

// The same options as one text, each after one space: " -lat1:N ... -proj:P".
std::string buildRemapOptions(const MapRequest& map);

}  // namespace kestrova
