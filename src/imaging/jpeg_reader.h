#pragma once
// Reading JPEG pictures with libjpeg: 8-bit greyscale, YCbCr or RGB, baseline or progressive.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "imaging/image.h"

namespace kestrova {

// Greyscale files give Grey8, colour files Rgb888. Raises Error with libjpeg's message for any
// damaged, truncated or non-JPEG data, and for colour spaces other than grey, YCbCr and RGB or
// sizes beyond the limits of image.h (checked before any pixel is allocated).
Image decodeJpeg(std::span<const std::uint8_t> bytes);
Image readJpegFile(const std::string& path);  // errors also name the file

struct JpegSampling {
  int horizontal = 0;
  int vertical = 0;
  bool operator==(const JpegSampling&) const = default;
};

// What the headers of a JPEG file say, read without decoding a pixel.
struct JpegInfo {
  int width = 0;
  int height = 0;
  int components = 0;
  std::vector<JpegSampling> sampling;  // one per component, in file order
  bool progressive = false;
  bool jfif = false;  // a JFIF APP0 marker is present
};

JpegInfo inspectJpeg(std::span<const std::uint8_t> bytes);
JpegInfo inspectJpegFile(const std::string& path);

}  // namespace kestrova
