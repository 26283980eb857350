#pragma once
// A lat/lon box fitted to a canvas in one of the remapper's three projections, converting both
// ways between canvas pixels and latitude/longitude.
//
// Pixel coordinates are continuous: (0, 0) is the top-left corner of the top-left pixel and
// (width, height) the bottom-right corner of the bottom-right pixel, so the centre of pixel
// (i, j) is (i + 0.5, j + 0.5).
//
// - Linear (equirectangular) and Mercator: the box's north-west corner is (0, 0) and its
//   south-east corner (width, height); the scales across and down may differ.
// - Polar: stereographic about the pole on the box's side of the equator (the north pole when
//   (north + south) / 2 >= 0), true to scale at 60° on that side, with the box's middle longitude
//   running straight down (north) or up (south) through the canvas centre. The box's outline,
//   sampled along its four edges, is scaled by one factor to fit the canvas and centred in it.
//
// Every projection is on the WGS84 ellipsoid and centred on the box's middle longitude, so a box
// crossing 180° is as continuous as any other.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geo/geo_box.h"
#include "geo/proj_handle.h"

namespace kestrova {

enum class Projection { Polar, Linear, Mercator };

// "Polar", "Linear" or "Mercator" in any letter case; anything else raises kestrova::Error.
Projection projectionFromName(std::string_view name);

struct PixelPoint {
  double x, y;
};

inline constexpr int kMaxCanvasSide = 20000;

// Where the canvas lies in its coordinate system, as GIS world files give it: the top-left
// corner of the top-left pixel and the size of a pixel (height negative: rows run south).
struct GeoTransform {
  double left, pixelWidth, top, pixelHeight;
};

class MapView {
 public:
  // Raises kestrova::Error for a latitude outside ±90 (±85 for Mercator), an empty box
  // (north <= south, or west == east), a longitude outside ±360, or a side outside 1..20000.
  MapView(Projection projection, const GeoBox& box, int width, int height);
  MapView(std::string_view projectionName, const GeoBox& box, int width, int height);

  std::optional<PixelPoint> toPixel(LatLon point) const;
  std::optional<LatLon> toLatLon(PixelPoint pixel) const;  // longitude in [-180, 180)

  // In place and in bulk: degrees become pixels; a point that does not project becomes NaN.
  void toPixels(std::span<double> lon, std::span<double> lat) const;

  // A lat/lon box holding every point of the canvas, for choosing what to draw.
  GeoBox coveredBox() const;

  // The coordinate system the canvas is a regular grid in, as a PROJ string: the projection in
  // metres for Polar and Mercator, latitude and longitude in degrees for Linear.
  std::string crsDefinition() const;
  GeoTransform geoTransform() const;

  Projection projection() const { return projection_; }
  const GeoBox& box() const { return box_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  void fitCorners();
  void fitOutline();
  void toMetres(std::span<double> lon, std::span<double> lat) const;

  Projection projection_;
  GeoBox box_;
  int width_, height_;
  double span_;  // degrees east of west, (0, 360]
  double centreLon_;
  ProjHandle proj_;
  // pixel = origin + metres * scale (the y scale is negative: north is up)
  double originX_ = 0, originY_ = 0, scaleX_ = 1, scaleY_ = -1;
};

}  // namespace kestrova
