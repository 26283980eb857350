#include "geo/map_drawing.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace kestrova {
namespace {

constexpr double kGraticuleSampleDegrees = 0.25;

// Polylines gathered in degrees, projected to pixels in one batch.
struct Polylines {
  std::vector<double> x, y;       // longitudes and latitudes until projected
  std::vector<std::size_t> ends;  // one past each polyline's last point

  void add(std::span<const GeoPoint> points) {
    for (const GeoPoint& p : points) {
      x.push_back(p.lon());
      y.push_back(p.lat());
    }
    ends.push_back(x.size());
  }
  void addLine(LatLon from, LatLon to, int samples) {
    for (int i = 0; i <= samples; ++i) {
      const double t = static_cast<double>(i) / samples;
      x.push_back(from.lon + t * (to.lon - from.lon));
      y.push_back(from.lat + t * (to.lat - from.lat));
    }
    ends.push_back(x.size());
  }
};

// A polyline is broken where a point does not project or where two neighbours land far apart:
// such a jump is the view's wrap-around or a polar cut, not a line on the map.
// Unlike QRectF::intersects, counts a flat rectangle (a straight level or upright line).
bool meets(const QRectF& a, const QRectF& b) {
  return a.left() <= b.right() && a.right() >= b.left() && a.top() <= b.bottom() &&
         a.bottom() >= b.top();
}

// Pieces wholly off the canvas are skipped: stroking them costs as much as visible ones.
void stroke(QPainter& painter, const Polylines& lines, double maxStep, const QRectF& canvas,
            double minExtent) {
  QPolygonF piece;
  auto flush = [&] {
    const QRectF bounds = piece.boundingRect();
    const bool visible = std::max(bounds.width(), bounds.height()) >= minExtent;
    if (piece.size() > 1 && visible && meets(bounds, canvas)) painter.drawPolyline(piece);
    piece.clear();
  };
  std::size_t begin = 0;
  for (std::size_t end : lines.ends) {
    for (std::size_t i = begin; i < end; ++i) {
      if (std::isnan(lines.x[i])) {
        flush();
        continue;
      }
      const QPointF p(lines.x[i], lines.y[i]);
      if (!piece.isEmpty() &&
          std::hypot(p.x() - piece.back().x(), p.y() - piece.back().y()) > maxStep)
        flush();
      piece.append(p);
    }
    flush();
    begin = end;
  }
}

void drawLayer(QPainter& painter, const MapView& view, Polylines lines, const LineStyle& style) {
  if (style.width <= 0 || lines.ends.empty()) return;
  view.toPixels(lines.x, lines.y);
  QPen pen(style.colour, style.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  // Lines up to a pixel wide take Qt's cosmetic path, which rasterises them directly instead of
  // stroking an outline with round caps and joins: several times faster for the same look.
  pen.setCosmetic(style.width <= 1);
  painter.setPen(pen);
  const double margin = style.width + 1;
  stroke(painter, lines, std::max(view.width(), view.height()) / 2.0,
         QRectF(-margin, -margin, view.width() + 2 * margin, view.height() + 2 * margin),
         style.minExtent);
}

Polylines segmentLines(const CoastlineSet& coastlines, SegmentKind kind, const GeoBox& box) {
  Polylines lines;
  for (const Segment& s : coastlines.segments(kind, box)) lines.add(s.points);
  return lines;
}

Polylines graticule(const GeoBox& box, double step) {
  Polylines lines;
  if (!(step > 0)) return lines;
  const double span = box.west == -180 && box.east == 180 ? 360 : longitudeSpan(box);
  const int latSamples =
      std::max(1, int(std::ceil((box.north - box.south) / kGraticuleSampleDegrees)));
  const int lonSamples = std::max(1, int(std::ceil(span / kGraticuleSampleDegrees)));
  for (double k = std::ceil(box.west / step); k * step <= box.west + span; ++k) {
    if (span == 360 && k * step >= box.west + span) break;
    // Near a pole only every 90th meridian goes on: the others would merge into a blot.
    const bool quarter = std::fmod(std::abs(k * step), 90.0) == 0;
    const double north = quarter ? box.north : std::min(box.north, 90 - step);
    const double south = quarter ? box.south : std::max(box.south, -90 + step);
    if (north > south) lines.addLine({south, k * step}, {north, k * step}, latSamples);
  }
  for (double k = std::ceil(box.south / step); k * step <= box.north; ++k) {
    if (std::abs(k * step) >= 90) continue;
    lines.addLine({k * step, box.west}, {k * step, box.west + span}, lonSamples);
  }
  return lines;
}

}  // namespace

MapStyle MapStyle::thinWhite() {
  MapStyle style;
  style.lake.width = style.graticule.width = 0;
  return style;
}

void drawMap(QImage& image, const MapView& view, const CoastlineSet& coastlines,
             const MapStyle& style) {
  const GeoBox covered = view.coveredBox();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  drawLayer(painter, view, graticule(covered, style.graticuleStep), style.graticule);
  for (auto [kind, line] : {std::pair{SegmentKind::Lake, &style.lake},
                            {SegmentKind::Border, &style.border},
                            {SegmentKind::Coast, &style.coast}}) {
    if (line->width > 0) drawLayer(painter, view, segmentLines(coastlines, kind, covered), *line);
  }
}

QImage renderMap(const MapView& view, const MapStyle& style, const CoastlineSet& coastlines) {
  QImage image(view.width(), view.height(), QImage::Format_RGB32);
  image.fill(style.background);
  drawMap(image, view, coastlines, style);
  return image;
}

}  // namespace kestrova
