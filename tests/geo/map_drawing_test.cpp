#include "geo/map_drawing.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

MapStyle onlyCoast() {
  MapStyle style;
  style.lake.width = style.border.width = style.graticule.width = 0;
  return style;
}

// Whether any pixel within `radius` of the one under the point differs from the background.
bool litNear(const QImage& image, const MapView& view, double lat, double lon, int radius) {
  const PixelPoint p = view.toPixel({lat, lon}).value();
  for (int y = int(p.y) - radius; y <= int(p.y) + radius; ++y) {
    for (int x = int(p.x) - radius; x <= int(p.x) + radius; ++x) {
      if (image.valid(x, y) && qGray(image.pixel(x, y)) > 40) return true;
    }
  }
  return false;
}

int litInColumns(const QImage& image, int from, int to) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = from; x < to; ++x) count += qGray(image.pixel(x, y)) > 40;
  }
  return count;
}

int widestLitRow(const QImage& image) {
  int widest = 0;
  for (int y = 0; y < image.height(); ++y)
    widest = std::max(widest, litInColumns(image.copy(0, y, image.width(), 1), 0, image.width()));
  return widest;
}

TEST(MapDrawing, DrawsTheChannelCoastAndLeavesTheNorthSeaDark) {
  const MapView view("Linear", {65, 45, -15, 5}, 400, 400);
  const QImage image = renderMap(view, onlyCoast());
  EXPECT_TRUE(litNear(image, view, 50.8, -0.5, 2));  // Sussex
  EXPECT_TRUE(litNear(image, view, 51.0, 1.8, 2));   // Calais
  EXPECT_FALSE(litNear(image, view, 56, 3, 3));
}

TEST(MapDrawing, LeavesOutPiecesSmallerThanTheMinimumExtent) {
  // Fair Isle (59.53N 1.63W) is a speck at this scale; the Scottish mainland is not.
  const MapView view("Linear", {65, 45, -15, 5}, 200, 150);
  MapStyle style = onlyCoast();
  EXPECT_TRUE(litNear(renderMap(view, style), view, 59.53, -1.63, 0));
  style.coast.minExtent = 3;
  const QImage image = renderMap(view, style);
  EXPECT_FALSE(litNear(image, view, 59.53, -1.63, 0));
  EXPECT_TRUE(litNear(image, view, 57.7, -5.0, 2));  // Wester Ross
}

TEST(MapDrawing, GivesEachLayerItsOwnColourAndLeavesOutZeroWidths) {
  const MapView view(Projection::Linear, {80, 35, -10, 50}, 600, 450);
  MapStyle style;
  style.coast.colour = Qt::red;
  style.border.colour = Qt::green;
  style.lake.colour = Qt::blue;
  style.graticule = {QColor(128, 128, 128), 1};
  QImage image = renderMap(view, style);
  auto counts = [](const QImage& picture) {
    std::array<int, 4> n{};  // red, green, blue, grey
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        const QColor c = picture.pixelColor(x, y);
        n[0] += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        n[1] += c.green() > 200 && c.red() < 60 && c.blue() < 60;
        n[2] += c.blue() > 200 && c.red() < 60 && c.green() < 60;
        n[3] += c.red() > 30 && c.red() == c.green() && c.red() == c.blue();
      }
    }
    return n;
  };
  for (int n : counts(image)) EXPECT_GT(n, 100);
  const PixelPoint crossing = view.toPixel({50, 20}).value();
  const QColor there = image.pixelColor(int(crossing.x), int(crossing.y));
  EXPECT_GT(there.red(), 30);
  EXPECT_EQ(there.red(), there.blue());

  style.coast.width = style.graticule.width = 0;
  const std::array<int, 4> without = counts(renderMap(view, style));
  EXPECT_EQ(without[0], 0);
  EXPECT_EQ(without[3], 0);
  EXPECT_GT(without[1], 100);
}

TEST(MapDrawing, DrawsNoStrokeAcrossTheCanvasWhereLinesWrap) {
  // Chukotka and Alaska either side of 180°.
  const MapView bering(Projection::Linear, {72, 50, 160, -160}, 400, 300);
  const QImage image = renderMap(bering, onlyCoast());
  EXPECT_GT(litInColumns(image, 0, 200), 100);
  EXPECT_GT(litInColumns(image, 200, 400), 100);
  EXPECT_LT(widestLitRow(image), 300);
  const QImage polar =
      renderMap(MapView(Projection::Polar, {72, 50, 160, -160}, 400, 300), onlyCoast());
  EXPECT_LT(widestLitRow(polar), 300);

  // A shore running over 180° on a world map centred on Greenwich leaves it at the right edge
  // and comes back at the left, with nothing in between.
  CoastlineData data;
  data.segments = {{SegmentKind::Coast, 4}};
  data.points = {{0, 170'000'000}, {0, 179'000'000}, {0, -179'000'000}, {0, -170'000'000}};
  data.mask = {1, 1, {0}, {}};
  const std::string blob = encodeCoastline(data);
  const CoastlineSet shore =
      CoastlineSet::fromBlob({reinterpret_cast<const std::uint8_t*>(blob.data()), blob.size()});
  const MapView world(Projection::Linear, {90, -90, -180, 180}, 360, 180);
  const QImage wrapped = renderMap(world, onlyCoast(), shore);
  EXPECT_GT(litInColumns(wrapped, 0, 20), 5);
  EXPECT_GT(litInColumns(wrapped, 340, 360), 5);
  EXPECT_EQ(litInColumns(wrapped, 20, 340), 0);
}

TEST(MapDrawing, ThinWhiteDrawsCoastAndBordersWithoutGraticule) {
  const MapView view(Projection::Linear, {80, 35, -10, 50}, 200, 150);
  const QImage image = renderMap(view, MapStyle::thinWhite());
  EXPECT_EQ(image.size(), QSize(200, 150));
  EXPECT_TRUE(litNear(image, view, 43.3, -1.8, 1));  // the French-Spanish border at the Biscay
  const int meridian30 = int(view.toPixel({60, 30}).value().x);
  EXPECT_LT(litInColumns(image, meridian30, meridian30 + 1), 40);  // shores cross it, no line
}

}  // namespace
}  // namespace kestrova
