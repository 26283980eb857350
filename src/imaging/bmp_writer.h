#pragma once
// Writing BMP pictures: Grey8 as 8 bits with a grey palette, Rgb888 as 24 bits, rows bottom-up.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image.h"

namespace kestrova {

std::vector<std::uint8_t> encodeBmp(const Image& image);

// Raises Error naming the file and the cause when it cannot be written.
void writeBmpFile(const std::string& path, const Image& image);

}  // namespace kestrova
