// Any bytes as a BMP file: reading ends in a picture or an Error, never a crash or an allocation
// beyond what the file can fill, and a picture that was read survives a write and a second read
// exactly.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/error.h"
#include "imaging/bmp_reader.h"
#include "imaging/bmp_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  try {
    kestrova::Image image = kestrova::decodeBmp(bytes);
    // Each pixel comes from at least one byte of the file.
    if (static_cast<std::size_t>(image.width) * image.height > size) std::abort();
    if (!kestrova::samePixels(kestrova::decodeBmp(kestrova::encodeBmp(image)), image)) std::abort();
  } catch (const kestrova::Error&) {
  }
  return 0;
}
