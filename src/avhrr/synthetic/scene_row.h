// One scan line of the scene for a synthetic pass. Evaluating the scene at all 2048 samples of
// ~4300 lines costs seconds; the scene is smooth at the scale of a few samples, so it is
// evaluated where the line is geolocated (every few samples) and interpolated in between.
#pragma once

#include <span>

#include "avhrr/synthetic/scene.h"

namespace kestrova::avhrr {

struct ScenePoint {
  double latDeg = 0, lonDeg = 0;
  double satelliteZenithDeg = 0;
};

// Fills row (one entry per sample) from the scene at nodes[k], which lies at sample columns[k].
// Columns must rise strictly and lie inside the row; between two nodes the values are linear,
// beyond the outermost nodes they are held. A bad node set throws Error.
void sceneRow(const Scene& scene, const SunEphemeris& sun, std::span<const int> columns,
              std::span<const ScenePoint> nodes, std::span<ToaValues> row);

}  // namespace kestrova::avhrr
