#pragma once
// Writing JPEG pictures with libjpeg: JFIF, 8 bits per sample, baseline or progressive.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image.h"

namespace kestrova {

// How colour pictures store their chroma; greyscale pictures have none.
enum class ChromaSubsampling {
  None,      // 4:4:4, every component 1 × 1
  TwoByTwo,  // 4:2:0, luma 2 × 2, chroma 1 × 1
};

struct JpegWriteOptions {
  int quality = 90;  // 1 to 100, as libjpeg scales its tables
  ChromaSubsampling chroma = ChromaSubsampling::TwoByTwo;
  bool progressive = false;
};

// Grey8 pictures become one-component files, Rgb888 pictures three-component YCbCr files.
// Raises Error for a quality outside 1 to 100.
std::vector<std::uint8_t> encodeJpeg(const Image& image, const JpegWriteOptions& options = {});

// Raises Error naming the file and the cause when it cannot be written.
void writeJpegFile(const std::string& path, const Image& image,
                   const JpegWriteOptions& options = {});

}  // namespace kestrova
