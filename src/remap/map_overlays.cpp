#include "remap/map_overlays.h"

#include "base/error.h"

namespace kestrova::remap {

MapStyle overlayStyle(const GeoBox& box) {
  MapStyle style;
  style.coast = {QColor(255, 220, 0), 1.0, 0};
  style.lake = {QColor(255, 220, 0), 0.8, 12};
  style.border = {QColor(255, 96, 64), 1.0, 0};
  style.graticule = {QColor(0, 200, 255, 170), 0.8, 0};
  style.graticuleStep = box.north - box.south < 20 ? 5 : 10;
  return style;
}

void drawOverlays(Image& map, const MapView& view, const CoastlineSet& coastlines) {
  if (map.format != PixelFormat::Rgb888 || map.width != view.width() || map.height != view.height())
    throw Error("The overlays need a colour map of the canvas size");
  QImage canvas(map.pixels.data(), map.width, map.height, static_cast<qsizetype>(map.stride),
                QImage::Format_RGB888);
  drawMap(canvas, view, coastlines, overlayStyle(view.box()));
}

}  // namespace kestrova::remap
