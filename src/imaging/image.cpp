#include "imaging/image.h"

#include <algorithm>
#include <string>

#include "base/error.h"

namespace kestrova {

void checkPictureSize(std::int64_t width, std::int64_t height) {
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width <= 0 || height <= 0) throw Error("Picture size " + size + " is empty");
  if (width > kMaxPictureSide || height > kMaxPictureSide)
    throw Error("Picture size " + size + " exceeds " + std::to_string(kMaxPictureSide) +
                " pixels on a side");
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPicturePixels)
    throw Error("Picture size " + size + " exceeds " +
                std::to_string(kMaxPicturePixels / 1'000'000) + " megapixels");
}

Image Image::blank(int width, int height, PixelFormat format) {
  checkPictureSize(width, height);
  Image image;
  image.width = width;
  image.height = height;
  image.format = format;
  image.stride = (image.rowBytes() + 3) / 4 * 4;
  image.pixels.resize(image.stride * static_cast<std::size_t>(height));
  return image;
}

void checkImageLayout(const Image& image) {
  checkPictureSize(image.width, image.height);
  if (image.stride < image.rowBytes() ||
      image.pixels.size() / image.stride < static_cast<std::size_t>(image.height))
    throw Error("Picture buffer of " + std::to_string(image.pixels.size()) + " bytes in rows of " +
                std::to_string(image.stride) + " does not hold " + std::to_string(image.width) +
                " x " + std::to_string(image.height) + " pixels");
}

bool samePixels(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height || a.format != b.format) return false;
  for (int y = 0; y < a.height; ++y)
    if (!std::equal(a.row(y), a.row(y) + a.rowBytes(), b.row(y))) return false;
  return true;
}

}  // namespace kestrova
