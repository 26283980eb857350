#include "avhrr/synthetic/scene_row.h"

#include <string>
#include <vector>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

ToaValues mix(const ToaValues& a, const ToaValues& b, double t) {
  ToaValues out;
  for (int c = 0; c < 3; ++c) {
    out.albedo[c] = a.albedo[c] + t * (b.albedo[c] - a.albedo[c]);
    out.temperature[c] = a.temperature[c] + t * (b.temperature[c] - a.temperature[c]);
  }
  return out;
}

void checkNodes(std::span<const int> columns, std::span<const ScenePoint> nodes,
                std::size_t width) {
  if (columns.empty() || columns.size() != nodes.size())
    throw Error("A scene row needs one position per node column, and at least one (" +
                std::to_string(columns.size()) + " columns, " + std::to_string(nodes.size()) +
                " positions)");
  for (std::size_t k = 0; k < columns.size(); ++k) {
    if (columns[k] < 0 || static_cast<std::size_t>(columns[k]) >= width ||
        (k > 0 && columns[k] <= columns[k - 1]))
      throw Error("Node column " + std::to_string(columns[k]) +
                  " is out of order or outside a row of " + std::to_string(width) + " samples");
  }
}

}  // namespace

void sceneRow(const Scene& scene, const SunEphemeris& sun, std::span<const int> columns,
              std::span<const ScenePoint> nodes, std::span<ToaValues> row) {
  checkNodes(columns, nodes, row.size());
  std::vector<ToaValues> atNodes;
  atNodes.reserve(nodes.size());
  for (const ScenePoint& p : nodes)
    atNodes.push_back(scene.at(sun, p.latDeg, p.lonDeg, p.satelliteZenithDeg));

  const auto first = static_cast<std::size_t>(columns.front());
  const auto last = static_cast<std::size_t>(columns.back());
  for (std::size_t s = 0; s < first; ++s) row[s] = atNodes.front();
  for (std::size_t s = last; s < row.size(); ++s) row[s] = atNodes.back();
  for (std::size_t k = 0; k + 1 < columns.size(); ++k) {
    const int from = columns[k], span = columns[k + 1] - columns[k];
    for (int i = 0; i < span; ++i)
      row[static_cast<std::size_t>(from + i)] =
          mix(atNodes[k], atNodes[k + 1], static_cast<double>(i) / span);
  }
}

}  // namespace kestrova::avhrr
