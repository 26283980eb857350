// Any bytes as a JPEG file: reading ends in a picture or an Error, never a crash, and a picture
// that was read can be written and read again.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/error.h"
#include "imaging/jpeg_reader.h"
#include "imaging/jpeg_writer.h"

namespace {

// Large declared sizes are refused or decoded correctly in the tests; here they would only spend
// the fuzzer's memory and time on one input.
constexpr std::int64_t kLargestFuzzedPixels = 1 << 22;

void checkLayout(const kestrova::Image& image) {
  if (image.stride % 4 != 0 || image.stride < image.rowBytes() ||
      image.pixels.size() != image.stride * static_cast<std::size_t>(image.height))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  try {
    kestrova::JpegInfo info = kestrova::inspectJpeg(bytes);
    if (static_cast<std::int64_t>(info.width) * info.height > kLargestFuzzedPixels) return 0;
    kestrova::Image image = kestrova::decodeJpeg(bytes);
    if (image.width != info.width || image.height != info.height) std::abort();
    checkLayout(image);
    kestrova::Image again = kestrova::decodeJpeg(kestrova::encodeJpeg(image));
    if (again.width != image.width || again.format != image.format) std::abort();
  } catch (const kestrova::Error&) {
  }
  return 0;
}
