#include "region_maps.h"

#include <QFont>
#include <QPainter>

#include "geo/map_drawing.h"
#include "imaging/jpeg_writer.h"
#include "picture_conversion.h"
#include "workflow/region_presets.h"
#include "workflow/text_pieces.h"

namespace kestrova::pictures {
namespace {

// How each region's picture is stored: the sizes and colour kinds the panel was laid out with.
struct MapPicture {
  int width, height;
  bool colour;  // three components with 2 × 2 chroma subsampling; else greyscale
};

constexpr MapPicture kMapPictures[kRegionCount] = {
    {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, false},
    {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, false},
    {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, true},  {200, 150, true},
    {200, 150, true},  {120, 90, true},   {120, 90, true},   {120, 90, true},   {200, 150, false},
};

QImage outlineMap(const Bounds& b, const MapPicture& picture) {
  GeoBox box{double(b.north), double(b.south), double(b.west), double(b.east)};
  MapStyle style = MapStyle::thinWhite();
  style.coast.minExtent = 3;  // islands and lakes smaller than this are noise at this size
  style.border.width = 0.8;
  return renderMap(MapView(Projection::Linear, box, picture.width, picture.height), style);
}

QImage userDefinedCard(const MapPicture& picture) {
  QImage card(picture.width, picture.height, QImage::Format_RGB32);
  card.fill(Qt::black);
  QPainter painter(&card);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QFont font("DejaVu Sans");
  font.setPixelSize(picture.height / 5);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(card.rect(), Qt::AlignCenter, "User\nDefined\nRegion");
  return card;
}

}  // namespace

void writeRegionMaps(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder / "regions");
  for (int i = 0; i < kRegionCount; ++i) {
    const MapPicture& picture = kMapPictures[i];
    const auto& bounds = RegionPresets[i].bounds;
    QImage drawing = bounds ? outlineMap(*bounds, picture) : userDefinedCard(picture);
    JpegWriteOptions options;
    options.quality = 92;
    options.chroma = ChromaSubsampling::TwoByTwo;
    Image image = picture.colour ? toColourImage(drawing) : toGreyImage(drawing);
    writeJpegFile((folder / "regions" / ("remap" + TwoDigitNumber(i) + ".jpg")).string(), image,
                  options);
  }
}

}  // namespace kestrova::pictures
