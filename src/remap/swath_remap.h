// A decoded picture put onto a map canvas through its location grid.
#pragma once

#include <cstdint>

#include "avhrr/location/location_file.h"
#include "geo/map_view.h"
#include "imaging/image.h"
#include "remap/swath_mesh.h"

namespace kestrova::remap {

enum class Sampling {
  Bilinear,  // between the four nearest picture pixels
  Nearest,   // the nearest picture pixel, for like-for-like comparisons
};

struct RemapOptions {
  Sampling sampling = Sampling::Bilinear;
  int threads = 2;  // output rows are split between them
  MeshOptions mesh;
};

struct RemappedPicture {
  Image map;                       // Rgb888 of the view's canvas size; black outside the swath
  std::int64_t coveredPixels = 0;  // output pixels the swath reaches
};

// Raises kestrova::Error, giving both sizes, when the picture is not the size the grid
// describes. A grey picture becomes grey in colour, so coloured overlays can go on top.
RemappedPicture remapPicture(const Image& picture, const avhrr::LocationFileGrid& grid,
                             const MapView& view, const RemapOptions& options = {});

}  // namespace kestrova::remap
