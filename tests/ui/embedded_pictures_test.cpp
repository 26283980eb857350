#include "ui/resources/embedded_pictures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <map>
#include <set>

#include "imaging/jpeg_reader.h"

namespace kestrova {
namespace {

std::vector<std::uint8_t> resourceBytes(const std::string& name) {
  QFile file(QString::fromStdString(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  QByteArray bytes = file.readAll();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// Brightness of a pixel, whatever the picture's kind (the maps are white on black).
int brightness(const Image& image, int x, int y) {
  return image.row(y)[x * image.channels()];
}

double litShare(const Image& image) {
  int lit = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) lit += brightness(image, x, y) > 96;
  return double(lit) / (image.width * image.height);
}

struct Kind {
  int width, height;
  bool colour;
};

// The sizes and colour kinds the configuration panel was laid out with.
constexpr Kind kKinds[20] = {
    {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, false},
    {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, false},
    {200, 150, false}, {200, 150, false}, {200, 150, false}, {200, 150, true},  {200, 150, true},
    {200, 150, true},  {120, 90, true},   {120, 90, true},   {120, 90, true},   {200, 150, false}};

TEST(RegionMaps, AreBaselineJfifPicturesOfTheLaidOutSizesAndKinds) {
  for (int i = 0; i < 20; ++i) {
    SCOPED_TRACE(regionMapResource(i));
    std::vector<std::uint8_t> bytes = resourceBytes(regionMapResource(i));
    JpegInfo info = inspectJpeg(bytes);
    EXPECT_EQ(info.width, kKinds[i].width);
    EXPECT_EQ(info.height, kKinds[i].height);
    EXPECT_FALSE(info.progressive);
    EXPECT_TRUE(info.jfif);
    if (kKinds[i].colour) {
      EXPECT_EQ(info.components, 3);
      EXPECT_EQ(info.sampling, (std::vector<JpegSampling>{{2, 2}, {1, 1}, {1, 1}}));
    } else {
      EXPECT_EQ(info.components, 1);
    }
    Image image = decodeJpeg(bytes);
    double lit = litShare(image);
    EXPECT_GT(lit, 0.005);  // not blank
    EXPECT_LT(lit, 0.35);   // lines, not filled land
  }
}

struct Landmark {
  int region;
  double lat, lon;
  bool onCoast;  // a coast passes within two pixels; otherwise open sea, dark for three
};

// Where a point falls on a region map: latitude and longitude are linear across the picture.
std::pair<int, int> pixelOf(int region, double lat, double lon, const Kind& kind) {
  struct Box {
    double north, south, west, east;
  };
  static const std::map<int, Box> boxes = {{0, {80, 35, -10, 50}},   {1, {65, 45, -15, 5}},
                                           {13, {50, 30, 120, 140}}, {14, {65, 47, 153, 171}},
                                           {16, {40, 5, 50, 95}},    {18, {5, -35, 10, 50}}};
  const Box& b = boxes.at(region);
  return {int((lon - b.west) / (b.east - b.west) * kind.width),
          int((b.north - lat) / (b.north - b.south) * kind.height)};
}

TEST(RegionMaps, ShowTheirOwnRegionTheRightWayRound) {
  const Landmark landmarks[] = {
      {0, 36.0, -5.6, true},     {0, 45.0, -8.0, false},    // Gibraltar; Bay of Biscay
      {1, 50.07, -5.7, true},    {1, 56.0, 3.0, false},     // Land's End; North Sea
      {13, 35.0, 139.9, true},   {13, 40.0, 135.0, false},  // Boso peninsula; Sea of Japan
      {14, 53.0, 158.65, true},  {14, 50.0, 165.0, false},  // Petropavlovsk; open Pacific
      {16, 18.9, 72.8, true},    {16, 15.0, 65.0, false},   // Mumbai; Arabian Sea
      {18, -34.36, 18.47, true}, {18, -30.0, 40.0, false},  // Cape of Good Hope; Indian Ocean
  };
  for (const Landmark& mark : landmarks) {
    const Kind& kind = kKinds[mark.region];
    Image image = decodeJpeg(resourceBytes(regionMapResource(mark.region)));
    auto [cx, cy] = pixelOf(mark.region, mark.lat, mark.lon, kind);
    int reach = mark.onCoast ? 2 : 3, brightest = 0;
    for (int y = std::max(0, cy - reach); y <= std::min(kind.height - 1, cy + reach); ++y)
      for (int x = std::max(0, cx - reach); x <= std::min(kind.width - 1, cx + reach); ++x)
        brightest = std::max(brightest, brightness(image, x, y));
    if (mark.onCoast)
      EXPECT_GT(brightest, 96) << "region " << mark.region << " at " << mark.lat << ", "
                               << mark.lon;
    else
      EXPECT_LT(brightest, 48) << "region " << mark.region << " at " << mark.lat << ", "
                               << mark.lon;
  }
}

TEST(RegionMaps, UserDefinedCardIsLetteringInTheMiddleOnBlack) {
  Image card = decodeJpeg(resourceBytes(regionMapResource(19)));
  for (auto [x, y] : {std::pair{2, 2}, {197, 2}, {2, 147}, {197, 147}})
    EXPECT_LT(brightness(card, x, y), 32);
  double lit = litShare(card);
  EXPECT_GT(lit, 0.05);
  EXPECT_LT(lit, 0.4);
}

TEST(ProgramIcon, IsA32By32PictureWithA256ColourPalette) {
  QImage icon(kProgramIconResource);
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.size(), QSize(32, 32));
  EXPECT_EQ(icon.format(), QImage::Format_Indexed8);
  EXPECT_EQ(icon.colorCount(), 256);
  std::set<int> used;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) used.insert(icon.pixelIndex(x, y));
  EXPECT_GT(used.size(), 32u);  // a drawing, not a flat square
}

}  // namespace
}  // namespace kestrova
