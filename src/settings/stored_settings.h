#pragma once
// Every setting that survives a restart: the 56 values of kestrova.cfg.
//
// The window's controls are the working copy of the nine control-held texts (rgbRed ... and
// canvasHeight); their slots here carry them to and from the configuration file only.
#include <array>
#include <string>

#include "settings/product_table.h"

namespace kestrova {

using ProductFlags = std::array<int, kProductCount>;

inline constexpr int kRegionCount = 20;
inline constexpr int kUserDefinedRegion = 19;
inline constexpr int kProjectionCount = 3;

struct StoredSettings {
  std::string dataFolder;
  std::string decoderFolder;
  std::string decoderOptions;
  std::string imageFolder;
  std::string remapperFolder;
  std::string remapOptions;
  ProductFlags productEnabled{};
  ProductFlags productCorrected{};
  ProductFlags productBitmap{};
  std::string rgbRed = "1";
  std::string rgbGreen = "2";
  std::string rgbBlue = "4";
  std::string latNorth = "60";
  std::string latSouth = "40";
  std::string lonWest = "-10";
  std::string lonEast = "10";
  std::string canvasWidth = "800";
  std::string canvasHeight = "600";
  int closeDecoder = 0;
  int runMinimised = 0;
  int projection = 0;  // 0 Polar, 1 Linear, 2 Mercator
  int remapSource = 5;
  int region = 0;  // 19 is "-User Defined-"

  bool operator==(const StoredSettings&) const = default;
};

// The projection names in the order of the Project list.
extern const std::array<const char*, kProjectionCount> ProjectionNames;

}  // namespace kestrova
