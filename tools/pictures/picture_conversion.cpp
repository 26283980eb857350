#include "picture_conversion.h"

#include <cstring>

namespace kestrova::pictures {
namespace {

Image copyRows(const QImage& source, PixelFormat format) {
  Image image = Image::blank(source.width(), source.height(), format);
  for (int y = 0; y < source.height(); ++y)
    std::memcpy(image.row(y), source.constScanLine(y), image.rowBytes());
  return image;
}

}  // namespace

Image toGreyImage(const QImage& drawing) {
  return copyRows(drawing.convertToFormat(QImage::Format_Grayscale8), PixelFormat::Grey8);
}

Image toColourImage(const QImage& drawing) {
  return copyRows(drawing.convertToFormat(QImage::Format_RGB888), PixelFormat::Rgb888);
}

}  // namespace kestrova::pictures
