#include "program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "geo/coastline_set.h"

namespace kestrova::pictures {
namespace {

constexpr int kDrawSize = 256;  // drawn large, then scaled down for smooth edges
constexpr int kIconSize = 32;
constexpr double kDegree = std::numbers::pi / 180;

// The globe seen from above the North Atlantic, lit from the upper left.
QImage globe(int size, double radius, QPointF centre) {
  const double lat0 = 40 * kDegree, lon0 = -20 * kDegree;
  const CoastlineSet& land = CoastlineSet::builtin();
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      double x = (px + 0.5 - centre.x()) / radius, y = (centre.y() - py - 0.5) / radius;
      double rho = std::hypot(x, y);
      if (rho >= 1) continue;
      double c = std::asin(rho);
      double lat =
          rho == 0
              ? lat0
              : std::asin(std::cos(c) * std::sin(lat0) + y * std::sin(c) * std::cos(lat0) / rho);
      double lon = lon0 + std::atan2(x * std::sin(c), rho * std::cos(c) * std::cos(lat0) -
                                                          y * std::sin(c) * std::sin(lat0));
      bool isLand = land.isLand(lat / kDegree, lon / kDegree);
      bool ice = std::abs(lat / kDegree) > 68 && isLand;
      double z = std::sqrt(1 - rho * rho);
      double light = 0.3 + 0.7 * std::max(0.0, (-0.45 * x + 0.55 * y + 0.7 * z));
      QColor base = ice      ? QColor(235, 240, 250)
                    : isLand ? QColor(70, 150, 60)
                             : QColor(25, 80, 175);
      image.setPixelColor(
          px, py,
          QColor(int(base.red() * light), int(base.green() * light), int(base.blue() * light)));
    }
  }
  return image;
}

void drawOrbitAndSatellite(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  // The orbit: a near-polar ring seen obliquely, crossing over the globe's northern limb.
  p.save();
  p.translate(108, 150);
  p.rotate(-62);
  p.setPen(QPen(QColor(255, 215, 80), 10, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(-122, -44, 244, 88), 190 * 16, 270 * 16);
  p.restore();
  // The satellite on the ring: a bright body between two solar wings.
  p.save();
  p.translate(186, 64);
  p.rotate(-35);
  p.setPen(QPen(QColor(15, 15, 35), 6));
  p.setBrush(QColor(70, 110, 230));
  p.drawRect(QRectF(-62, -17, 36, 34));
  p.drawRect(QRectF(26, -17, 36, 34));
  p.drawLine(QPointF(-26, 0), QPointF(26, 0));
  p.setBrush(QColor(240, 240, 245));
  p.drawRect(QRectF(-18, -22, 36, 44));
  p.restore();
}

// Median cut over the opaque pixels: at most 255 colours, index 0 kept for transparency.
std::vector<QRgb> palette(const QImage& image) {
  std::vector<QRgb> pixels;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) >= 128) pixels.push_back(image.pixel(x, y) | 0xff000000);
  using Box = std::pair<std::size_t, std::size_t>;  // [first, last) in pixels
  std::vector<Box> boxes{{0, pixels.size()}};
  auto channel = [](QRgb c, int k) { return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c); };
  auto spread = [&](const Box& b, int k) {
    auto [lo, hi] =
        std::minmax_element(pixels.begin() + b.first, pixels.begin() + b.second,
                            [&](QRgb a, QRgb c) { return channel(a, k) < channel(c, k); });
    return channel(*hi, k) - channel(*lo, k);
  };
  while (boxes.size() < 255) {
    auto widest = std::max_element(boxes.begin(), boxes.end(), [&](const Box& a, const Box& b) {
      return std::max({spread(a, 0), spread(a, 1), spread(a, 2)}) <
             std::max({spread(b, 0), spread(b, 1), spread(b, 2)});
    });
    if (widest->second - widest->first < 2) break;
    int k = 0;
    for (int j = 1; j < 3; ++j)
      if (spread(*widest, j) > spread(*widest, k)) k = j;
    auto first = pixels.begin() + widest->first, last = pixels.begin() + widest->second;
    auto middle = first + (last - first) / 2;
    std::nth_element(first, middle, last,
                     [&](QRgb a, QRgb c) { return channel(a, k) < channel(c, k); });
    Box upper{std::size_t(middle - pixels.begin()), widest->second};
    widest->second = upper.first;
    boxes.push_back(upper);
  }
  std::vector<QRgb> colours{qRgba(0, 0, 0, 0)};
  for (const Box& b : boxes) {
    double sum[3] = {0, 0, 0};
    for (std::size_t i = b.first; i < b.second; ++i)
      for (int k = 0; k < 3; ++k) sum[k] += channel(pixels[i], k);
    double n = double(b.second - b.first);
    colours.push_back(qRgb(int(sum[0] / n + 0.5), int(sum[1] / n + 0.5), int(sum[2] / n + 0.5)));
  }
  colours.resize(256, qRgb(0, 0, 0));
  return colours;
}

int nearest(const std::vector<QRgb>& colours, QRgb c) {
  int best = 1;
  long bestDistance = LONG_MAX;
  for (int i = 1; i < int(colours.size()); ++i) {
    long dr = qRed(c) - qRed(colours[i]), dg = qGreen(c) - qGreen(colours[i]),
         db = qBlue(c) - qBlue(colours[i]);
    long d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) bestDistance = d, best = i;
  }
  return best;
}

QImage indexed(const QImage& image) {
  std::vector<QRgb> colours = palette(image);
  QImage out(image.size(), QImage::Format_Indexed8);
  out.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      QRgb c = image.pixel(x, y);
      out.setPixel(x, y, qAlpha(c) < 128 ? 0 : nearest(colours, c));
    }
  return out;
}

}  // namespace

QImage largeProgramIcon() {
  QImage drawing = globe(kDrawSize, 92, QPointF(112, 150));
  QPainter painter(&drawing);
  drawOrbitAndSatellite(painter);
  painter.end();
  return drawing;
}

QImage programIcon() {
  return indexed(largeProgramIcon().scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation));
}

}  // namespace kestrova::pictures
