// The picture's swath as triangles on the map canvas: each vertex is where a picture position
// (sample, line) lands in output pixels. Inside a triangle the position follows linearly, so
// the mesh is made fine enough that this stays within a small fraction of an output pixel of
// the exact location (the location file's interpolator, projected point by point).
#pragma once

#include <vector>

#include "avhrr/location/location_interpolator.h"
#include "geo/map_view.h"

namespace kestrova::remap {

struct MeshVertex {
  double x, y;          // output pixels, continuous (see MapView)
  double sample, line;  // picture position; pixel centres are whole numbers
};

struct MeshTriangle {
  MeshVertex a, b, c;
};

struct MeshOptions {
  int baseStep = 16;       // picture pixels per side of the first cells
  double tolerance = 0.1;  // output pixels a cell's linear form may miss a checked point by
  int threads = 2;         // each with its own projection
};

// Triangles covering the picture's footprint (samples -0.5..width-0.5, lines -0.5..height-0.5)
// wherever it can reach the canvas. Cells that do not pass the check are halved until they do,
// down to one picture pixel; a pixel-sized cell that still fails is torn by the projection (it
// straddles the map's cut or a point does not project) and is dropped, never drawn across the
// canvas. A picture whose location does not reach the canvas gives no triangles.
std::vector<MeshTriangle> buildSwathMesh(const avhrr::LocationFileGrid& grid, const MapView& view,
                                         const MeshOptions& options = {});

}  // namespace kestrova::remap
