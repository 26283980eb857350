#pragma once
// A complete, typical configuration and its lines, shared by the reader and writer tests.
#include <string>
#include <vector>

#include "settings/stored_settings.h"

namespace kestrova::testing {

inline StoredSettings sampleSettings() {
  StoredSettings s;
  s.dataFolder = "/data/hrpt passes/";
  s.decoderFolder = "/opt/chain/";
  s.decoderOptions = "-fc:.jpg -fc:apt.jpg -ch1:.bmp  -fc:corr.jpg -close";
  s.imageFolder = "/data/images/";
  s.remapperFolder = "/opt/chain/";
  s.remapOptions = " -lat1:60 -lat2:40 -lon1:-10 -lon2:10 -width:800 -height:600 -proj:Polar";
  s.productEnabled = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
  s.productCorrected = {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
  s.productBitmap = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
  s.rgbRed = "1";
  s.rgbGreen = "2";
  s.rgbBlue = "4";
  s.latNorth = "65";
  s.latSouth = "45";
  s.lonWest = "-15";
  s.lonEast = "5";
  s.canvasWidth = "1200";
  s.canvasHeight = "900";
  s.closeDecoder = 1;
  s.runMinimised = 0;
  s.projection = 1;
  s.remapSource = 5;
  s.region = 1;
  return s;
}

inline std::vector<std::string> sampleLines() {
  return {"/data/hrpt passes/",
          "/opt/chain/",
          "-fc:.jpg -fc:apt.jpg -ch1:.bmp  -fc:corr.jpg -close",
          "/data/images/",
          "/opt/chain/",
          " -lat1:60 -lat2:40 -lon1:-10 -lon2:10 -width:800 -height:600 -proj:Polar",
          "1",
          "0",
          "0",
          "0",
          "0",
          "1",
          "0",
          "0",
          "0",
          "0",
          "0",
          "0",
          "0",
          "0",
          "0",
          "0",
          "0",
          "1",
          "0",
          "0",
          "0",
          "0",
          "0",
          "0",
          "1",
          "0",
          "0",
          "0",
          "0",
          "1",
          "0",
          "0",
          "0",
          "0",
          "0",
          "0",
          "1",
          "2",
          "4",
          "65",
          "45",
          "-15",
          "5",
          "1200",
          "900",
          "1",
          "0",
          "1",
          "5",
          "1"};
}

inline std::string joinLines(const std::vector<std::string>& lines,
                             const std::string& end = "\r\n") {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + end;
  return bytes;
}

}  // namespace kestrova::testing
