#pragma once
// A decoded picture as every reader returns it and every writer takes it.
//
// Rows run top-down and each starts on a 4-byte boundary, so the window can wrap the buffer
// without copying it:
//   QImage(image.pixels.data(), image.width, image.height, qsizetype(image.stride),
//          image.format == PixelFormat::Grey8 ? QImage::Format_Grayscale8 : QImage::Format_RGB888)
// (the QImage then borrows the buffer: keep the Image alive and unchanged while it is shown).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrova {

enum class PixelFormat { Grey8, Rgb888 };  // Rgb888: bytes R, G, B per pixel

// The largest side and area a reader accepts; larger pictures are refused before any pixel is
// allocated, so a small hostile file cannot demand gigabytes.
inline constexpr int kMaxPictureSide = 65500;
inline constexpr std::uint64_t kMaxPicturePixels = 400'000'000;

struct Image {
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::Grey8;
  std::size_t stride = 0;  // bytes from one row to the next, a multiple of 4
  std::vector<std::uint8_t> pixels;

  // A black picture of the given size; raises Error for sizes outside the limits above.
  static Image blank(int width, int height, PixelFormat format);

  std::uint8_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * stride; }
  const std::uint8_t* row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * stride;
  }
  int channels() const { return format == PixelFormat::Grey8 ? 1 : 3; }
  std::size_t rowBytes() const { return static_cast<std::size_t>(width) * channels(); }
};

// Raises Error unless width × height is a size the readers accept.
void checkPictureSize(std::int64_t width, std::int64_t height);

// Raises Error unless the buffer holds height rows of stride bytes, each wide enough for width
// pixels: writers check this before reading a picture put together by hand.
void checkImageLayout(const Image& image);

// Same size, format and pixels; the padding bytes at the ends of rows do not count.
bool samePixels(const Image& a, const Image& b);

}  // namespace kestrova
