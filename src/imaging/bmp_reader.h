#pragma once
// Reading BMP pictures: uncompressed 8-bit (palette) and 24-bit, rows bottom-up or top-down.
#include <cstdint>
#include <span>
#include <string>

#include "imaging/image.h"

namespace kestrova {

// 24-bit files and 8-bit files with a colour palette give Rgb888; 8-bit files whose palette
// holds only greys give Grey8. Pixel values beyond a short palette read as black. Every header
// field is checked against the file's size first: a damaged file raises Error naming the cause
// and its byte offset, and never makes the reader allocate more than the file could fill.
Image decodeBmp(std::span<const std::uint8_t> bytes);
Image readBmpFile(const std::string& path);  // errors also name the file

}  // namespace kestrova
