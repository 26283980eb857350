#include "geo/map_view.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <sstream>

#include "base/error.h"

namespace kestrova {
namespace {

struct ProjectionName {
  std::string_view name;
  Projection projection;
  double latitudeLimit;
};

constexpr std::array<ProjectionName, 3> kProjections = {{
    {"Polar", Projection::Polar, 90},
    {"Linear", Projection::Linear, 90},
    {"Mercator", Projection::Mercator, 85},
}};

const ProjectionName& entryFor(Projection projection) {
  return *std::find_if(kProjections.begin(), kProjections.end(),
                       [&](const ProjectionName& p) { return p.projection == projection; });
}

bool sameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string number(double value) {
  std::ostringstream out;
  out.precision(17);
  out << value;
  return out.str();
}

// The box's east-west extent, after checking everything about the box and canvas.
double checkedSpan(Projection projection, const GeoBox& box, int width, int height) {
  const double limit = entryFor(projection).latitudeLimit;
  const std::string name(entryFor(projection).name);
  for (double lat : {box.north, box.south}) {
    if (!(lat >= -limit && lat <= limit))
      throw Error("The latitude " + number(lat) + " is outside -" + number(limit) + ".." +
                  number(limit) + " of the " + name + " projection");
  }
  for (double lon : {box.west, box.east}) {
    if (!(lon >= -360 && lon <= 360))
      throw Error("The longitude " + number(lon) + " is outside -360..360");
  }
  if (box.north <= box.south)
    throw Error("The map box is empty: north " + number(box.north) + " is not above south " +
                number(box.south));
  double span = box.east - box.west;
  if (span < 0) span += 360;
  if (span == 0) throw Error("The map box is empty: west and east are both " + number(box.west));
  if (span > 360) throw Error("The map box is wider than 360 degrees");
  for (int side : {width, height}) {
    if (side < 1 || side > kMaxCanvasSide)
      throw Error("The canvas size " + std::to_string(width) + " x " + std::to_string(height) +
                  " is outside 1.." + std::to_string(kMaxCanvasSide));
  }
  return span;
}

bool northPolar(const GeoBox& box) {
  return (box.north + box.south) / 2 >= 0;
}

std::string projectionDefinition(Projection projection, const GeoBox& box, double centreLon) {
  const std::string common = " +lon_0=" + number(centreLon) + " +ellps=WGS84";
  switch (projection) {
    case Projection::Polar:
      return northPolar(box) ? "+proj=stere +lat_0=90 +lat_ts=60" + common
                             : "+proj=stere +lat_0=-90 +lat_ts=-60" + common;
    case Projection::Linear:
      return "+proj=eqc" + common;
    case Projection::Mercator:
      return "+proj=merc" + common;
  }
  return {};
}

// +over keeps longitudes beyond ±180 of the centre unwrapped, so the box edges project where
// the box needs them.
std::string definition(Projection projection, const GeoBox& box, double centreLon) {
  return projectionDefinition(projection, box, centreLon) + " +over";
}

}  // namespace

Projection projectionFromName(std::string_view name) {
  for (const ProjectionName& p : kProjections) {
    if (sameLetters(p.name, name)) return p.projection;
  }
  throw Error("Unknown projection '" + std::string(name) + "': use Polar, Linear or Mercator");
}

MapView::MapView(std::string_view projectionName, const GeoBox& box, int width, int height)
    : MapView(projectionFromName(projectionName), box, width, height) {}

MapView::MapView(Projection projection, const GeoBox& box, int width, int height)
    : projection_(projection),
      box_(box),
      width_(width),
      height_(height),
      span_(checkedSpan(projection, box, width, height)),
      centreLon_(normalizedLongitude(box.west + span_ / 2)),
      proj_(definition(projection, box, centreLon_)) {
  if (projection == Projection::Polar)
    fitOutline();
  else
    fitCorners();
}

void MapView::fitCorners() {
  std::array<double, 2> lon = {centreLon_ - span_ / 2, centreLon_ + span_ / 2};
  std::array<double, 2> lat = {box_.north, box_.south};
  proj_.forward(lon, lat);
  const double west = lon[0], east = lon[1], north = lat[0], south = lat[1];
  if (!(east > west && north > south)) throw Error("The map box does not project");
  scaleX_ = width_ / (east - west);
  originX_ = -west * scaleX_;
  scaleY_ = -height_ / (north - south);
  originY_ = -north * scaleY_;
}

void MapView::fitOutline() {
  constexpr int kSamples = 256;  // per edge
  std::vector<double> lon, lat;
  for (int i = 0; i <= kSamples; ++i) {
    const double t = static_cast<double>(i) / kSamples;
    const double alongLon = centreLon_ - span_ / 2 + t * span_;
    const double alongLat = box_.south + t * (box_.north - box_.south);
    lon.insert(lon.end(), {alongLon, alongLon, centreLon_ - span_ / 2, centreLon_ + span_ / 2});
    lat.insert(lat.end(), {box_.north, box_.south, alongLat, alongLat});
  }
  proj_.forward(lon, lat);
  if (std::any_of(lon.begin(), lon.end(), [](double x) { return std::isnan(x); }))
    throw Error("The map box reaches the far pole and cannot be drawn in the Polar projection");
  const auto [xMin, xMax] = std::minmax_element(lon.begin(), lon.end());
  const auto [yMin, yMax] = std::minmax_element(lat.begin(), lat.end());
  const double dx = *xMax - *xMin, dy = *yMax - *yMin;
  if (!(dx > 0 && dy > 0)) throw Error("The map box does not project");
  const double scale = std::min(width_ / dx, height_ / dy);
  scaleX_ = scale;
  scaleY_ = -scale;
  originX_ = width_ / 2.0 - (*xMin + *xMax) / 2 * scale;
  originY_ = height_ / 2.0 + (*yMin + *yMax) / 2 * scale;
}

void MapView::toMetres(std::span<double> lon, std::span<double> lat) const {
  for (double& l : lon) l = centreLon_ + normalizedLongitude(l - centreLon_);
  proj_.forward(lon, lat);
}

void MapView::toPixels(std::span<double> lon, std::span<double> lat) const {
  toMetres(lon, lat);
  for (std::size_t i = 0; i < lon.size(); ++i) {
    lon[i] = originX_ + lon[i] * scaleX_;
    lat[i] = originY_ + lat[i] * scaleY_;
  }
}

std::optional<PixelPoint> MapView::toPixel(LatLon point) const {
  double x = point.lon, y = point.lat;
  toPixels({&x, 1}, {&y, 1});
  if (std::isnan(x)) return std::nullopt;
  return PixelPoint{x, y};
}

std::optional<LatLon> MapView::toLatLon(PixelPoint pixel) const {
  double x = (pixel.x - originX_) / scaleX_, y = (pixel.y - originY_) / scaleY_;
  proj_.inverse({&x, 1}, {&y, 1});
  if (std::isnan(x)) return std::nullopt;
  return LatLon{y, normalizedLongitude(x)};
}

std::string MapView::crsDefinition() const {
  // Linear's metres are degrees times a constant, so GIS users get plain degrees.
  if (projection_ == Projection::Linear) return "+proj=longlat +ellps=WGS84";
  return projectionDefinition(projection_, box_, centreLon_);
}

GeoTransform MapView::geoTransform() const {
  if (projection_ == Projection::Linear)
    return {centreLon_ - span_ / 2, span_ / width_, box_.north,
            -(box_.north - box_.south) / height_};
  return {-originX_ / scaleX_, 1 / scaleX_, -originY_ / scaleY_, 1 / scaleY_};
}

GeoBox MapView::coveredBox() const {
  if (projection_ != Projection::Polar) {
    if (span_ >= 360) return {box_.north, box_.south, -180, 180};
    return {box_.north, box_.south, normalizedLongitude(box_.west), normalizedLongitude(box_.east)};
  }
  // Latitude and longitude about the pole reach their extremes on the canvas border, or the pole
  // itself lies on the canvas.
  constexpr int kSamples = 128;  // per side
  constexpr double kMargin = 1;  // degrees, for what falls between samples
  double south = 90, north = -90, dMin = 180, dMax = -180;
  for (int i = 0; i <= kSamples; ++i) {
    const double u = width_ * static_cast<double>(i) / kSamples;
    const double v = height_ * static_cast<double>(i) / kSamples;
    for (PixelPoint p : {PixelPoint{u, 0}, PixelPoint{u, double(height_)}, PixelPoint{0, v},
                         PixelPoint{double(width_), v}}) {
      const std::optional<LatLon> q = toLatLon(p);
      if (!q) continue;
      south = std::min(south, q->lat);
      north = std::max(north, q->lat);
      const double d = normalizedLongitude(q->lon - centreLon_);
      dMin = std::min(dMin, d);
      dMax = std::max(dMax, d);
    }
  }
  const double poleLat = northPolar(box_) ? 90 : -90;
  const std::optional<PixelPoint> pole = toPixel({poleLat, centreLon_});
  if (pole && pole->x >= 0 && pole->x <= width_ && pole->y >= 0 && pole->y <= height_)
    return {std::max(north, poleLat), std::min(south, poleLat), -180, 180};
  north = std::min(90.0, north + kMargin);
  south = std::max(-90.0, south - kMargin);
  if (dMax - dMin + 2 * kMargin >= 360) return {north, south, -180, 180};
  return {north, south, normalizedLongitude(centreLon_ + dMin - kMargin),
          normalizedLongitude(centreLon_ + dMax + kMargin)};
}

}  // namespace kestrova
