// make_contact_sheet OUT.png [SECONDS]: every product of a synthetic day pass and night pass,
// each as its quick-look turned north up, labelled with its index and option; below them the
// day pass's false colour in its corrected form, and its SST as a satellite with published
// coefficients would show it. SECONDS is the length of each pass (default 600).
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>
#include <vector>

#include "products/pass_products.h"
#include "support/located_pass.h"

namespace {

using namespace kestrova;

constexpr int kTileWidth = 240;
constexpr int kLabel = 18;
constexpr int kGap = 6;
constexpr const char* kOptions[12] = {"-ch1",  "-ch2", "-ch3",        "-ch4",
                                      "-ch5",  "-fc",  "-rgb R1G2B4", "-UserRGB",
                                      "-temp", "-sst", "-ndvi",       "-dch4ch5"};

QImage toQImage(const Image& image) {
  const QImage view(
      image.pixels.data(), image.width, image.height, static_cast<qsizetype>(image.stride),
      image.format == PixelFormat::Grey8 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
  return view.convertToFormat(QImage::Format_RGB32);
}

struct Tile {
  std::string label;
  QImage image;
};

bool northbound(const avhrr::LocationGrid& grid) {
  const std::size_t mid = grid.samples.size() / 2;
  return grid.at(grid.lines.size() - 1, mid).latitude > grid.at(0, mid).latitude;
}

Tile tile(const std::string& label, Image picture, bool turn, int width = kTileWidth) {
  if (turn) products::turn180(picture);
  const QImage q = toQImage(products::quickLook(picture));
  return {label, q.scaledToWidth(width, Qt::SmoothTransformation)};
}

std::vector<Tile> passTiles(const char* name, const testing::LocatedPass& located,
                            std::vector<std::string>& notes) {
  const products::PassProducts products(located.pass, *located.calibration, &located.grid,
                                        std::nullopt);
  const bool turn = northbound(located.grid);
  std::vector<Tile> tiles;
  for (int p = 0; p < 12; ++p) {
    const auto picture = products.plain({p, {1, 2, 4}});
    for (const auto& note : picture.notes)
      notes.push_back(std::string(name) + " " + kOptions[p] + ": " + note);
    tiles.push_back(
        tile(std::string(name) + " " + std::to_string(p) + " " + kOptions[p], picture.image, turn));
  }
  return tiles;
}

void drawRow(QPainter& painter, const std::vector<Tile>& tiles, std::size_t first,
             std::size_t count, int& y) {
  int x = kGap, height = 0;
  for (std::size_t i = first; i < first + count && i < tiles.size(); ++i) {
    painter.drawText(x, y + kLabel - 5, QString::fromStdString(tiles[i].label));
    painter.drawImage(x, y + kLabel, tiles[i].image);
    x += tiles[i].image.width() + kGap;
    height = std::max(height, tiles[i].image.height());
  }
  y += kLabel + height + kGap;
}

int run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_contact_sheet OUT.png [SECONDS]\n");
    return 2;
  }
  const double seconds = argc > 2 ? std::stod(argv[2]) : 600.0;
  const auto day = testing::locatedPass(testing::noaa19Options(testing::kDayMinutes, seconds));
  const auto night = testing::locatedPass(testing::noaa19Options(testing::kNightMinutes, seconds));
  std::vector<std::string> notes;
  const auto dayTiles = passTiles("day", *day, notes);
  const auto nightTiles = passTiles("night", *night, notes);

  const products::PassProducts dayProducts(day->pass, *day->calibration, &day->grid, std::nullopt);
  std::vector<Tile> extras;
  const Image fc = dayProducts.plain({5, {1, 2, 4}}).image;
  extras.push_back(tile("day -fc corrected", dayProducts.corrected(fc), northbound(day->grid),
                        kTileWidth * dayProducts.corrected(fc).width / fc.width));
  // The same counts as if NOAA-14 had seen them, to show the SST palette on this scene.
  avhrr::Pass relabelled = day->pass;
  relabelled.satellite = avhrr::satelliteByName("NOAA-14");
  const products::PassProducts withSst(relabelled, *day->calibration, &day->grid, std::nullopt);
  extras.push_back(tile("day -sst, NOAA-14 coefficients", withSst.plain({9, {1, 2, 4}}).image,
                        northbound(day->grid)));

  int height = kGap;
  for (const auto* tiles : {&dayTiles, &nightTiles})
    for (std::size_t row = 0; row < 2; ++row)
      height += kLabel + (*tiles)[row * 6].image.height() + kGap;
  height += kLabel + extras[0].image.height() + kGap;
  QImage sheet(kGap + 6 * (kTileWidth + kGap), height, QImage::Format_RGB32);
  sheet.fill(QColor(48, 48, 48));
  QPainter painter(&sheet);
  painter.setPen(Qt::white);
  painter.setFont(QFont("sans-serif", 9));
  int y = kGap;
  for (const auto* tiles : {&dayTiles, &nightTiles}) {
    drawRow(painter, *tiles, 0, 6, y);
    drawRow(painter, *tiles, 6, 6, y);
  }
  drawRow(painter, extras, 0, extras.size(), y);
  painter.end();
  if (!sheet.save(argv[1])) {
    std::fprintf(stderr, "make_contact_sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  for (const auto& note : notes) std::printf("%s\n", note.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  try {
    return run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_contact_sheet: %s\n", e.what());
    return 1;
  }
}
