#pragma once
// Latitude/longitude points and boxes in degrees, and the longitude arithmetic that lets a box
// cross 180°.
namespace kestrova {

struct LatLon {
  double lat, lon;
};

// A box east < west crosses 180°; west -180 and east 180 is the whole circle.
struct GeoBox {
  double north, south, west, east;
};

// lon moved by whole turns into [-180, 180).
double normalizedLongitude(double lon);

// How far east of west the box reaches, in (0, 360]; 0 when west == east.
double longitudeSpan(const GeoBox& box);

// Whether the closed longitude range [west, east] of a box meets [lo, hi] (lo <= hi, both in
// -180..180).
bool longitudesMeet(const GeoBox& box, double lo, double hi);

}  // namespace kestrova
