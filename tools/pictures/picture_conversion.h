#pragma once
// Drawings are made with QPainter; the committed pictures are written by our own JPEG writer.
#include <QImage>

#include "imaging/image.h"

namespace kestrova::pictures {

Image toGreyImage(const QImage& drawing);
Image toColourImage(const QImage& drawing);

}  // namespace kestrova::pictures
