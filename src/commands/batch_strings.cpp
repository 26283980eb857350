#include "commands/batch_strings.h"

#include <string_view>

namespace kestrova {
namespace {

std::string_view trimControls(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string productItem(const DecoderOptionsInput& in, int i) {
  std::string item(ProductTable[i].optionSuffix);
  item += ':';
  if (i == kRgbProduct) item += "R" + in.rgbRed + "G" + in.rgbGreen + "B" + in.rgbBlue + ":";
  if (in.productCorrected[i] == 1) item += "corr";
  item += in.productBitmap[i] == 1 ? ".bmp " : ".jpg ";
  return item;
}

}  // namespace

DecoderOptions buildDecoderOptions(const DecoderOptionsInput& in) {
  std::string source(ProductTable[in.remapSource].optionSuffix);
  std::string s = source + ":.jpg " + source + ":apt.jpg";
  for (int i = 0; i < kProductCount; ++i) {
    if (in.productEnabled[i] != 1) continue;
    s += ' ';
    s += productItem(in, i);
  }

  DecoderOptions out;
  out.text = std::string(trimControls(s)) + " ";
  out.closeDecoder = in.closeBox ? 1 : 0;
  out.runMinimised = in.minimiseBox ? 1 : 0;
  if (in.closeBox) out.text += "-close";
  if (in.minimiseBox) out.text += " -min";
  return out;
}

std::vector<std::string> remapOptionArguments(const MapRequest& map) {
  return {"-lat1:" + map.latNorth,  "-lat2:" + map.latSouth,     "-lon1:" + map.lonWest,
          "-lon2:" + map.lonEast,   "-width:" + map.canvasWidth, "-height:" + map.canvasHeight,
          "-proj:" + map.projection};
}

std::string buildRemapOptions(const MapRequest& map) {
  std::string s;
  for (const std::string& option : remapOptionArguments(map)) s += " " + option;
  return s;
}

}  // namespace kestrova
