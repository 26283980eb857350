#include "remap/swath_mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "base/error.h"
#include "remap/parallel_bands.h"

namespace kestrova::remap {
namespace {

// Far more triangles than any real swath needs on any canvas (a 12-minute pass makes some
// hundred thousand): positions that scatter like no scan do not get to fill the memory.
constexpr std::size_t kMaxTrianglesPerThread = 3'000'000;

// A cell's nine checked points, row by row: corners 0, 2, 6, 8; edge middles 1, 3, 5, 7; centre 4.
using CellNodes = std::array<MeshVertex, 9>;

// count + 1 equally spaced positions from -0.5 to size - 0.5, no further apart than step.
std::vector<double> axisNodes(int size, int step) {
  step = std::max(1, step);
  const int count = std::max(1, (size + step - 1) / step);
  std::vector<double> nodes(static_cast<std::size_t>(count) + 1);
  for (int i = 0; i <= count; ++i)
    nodes[static_cast<std::size_t>(i)] = -0.5 + double(size) * i / count;
  return nodes;
}

MeshVertex middle(const MeshVertex& p, const MeshVertex& q) {
  return {(p.x + q.x) / 2, (p.y + q.y) / 2, (p.sample + q.sample) / 2, (p.line + q.line) / 2};
}

double distance(const MeshVertex& p, const MeshVertex& q) {
  return std::hypot(p.x - q.x, p.y - q.y);
}

class CellMesher {
 public:
  CellMesher(const avhrr::LocationInterpolator& where, const MapView& view,
             const MeshOptions& options, std::vector<MeshTriangle>& out)
      : where_(where),
        view_(view),
        tolerance_(options.tolerance),
        tearLimit_(std::max(16.0, std::max(view.width(), view.height()) / 8.0)),
        out_(out) {}

  // Fills x and y of each vertex from its sample and line; NaN where it does not project.
  void project(std::span<MeshVertex> nodes) {
    lon_.resize(nodes.size());
    lat_.resize(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      const avhrr::GeoPoint p = where_.at(nodes[i].sample, nodes[i].line);
      lon_[i] = p.longitude;
      lat_[i] = p.latitude;
    }
    view_.toPixels(lon_, lat_);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      nodes[i].x = lon_[i];
      nodes[i].y = lat_[i];
    }
  }

  void cell(const CellNodes& n) {
    const bool projects =
        std::none_of(n.begin(), n.end(), [](const MeshVertex& v) { return std::isnan(v.x); });
    if (projects) {
      const double error = linearError(n);
      if (missesCanvas(n, error + 1)) return;
      if (error <= tolerance_) return emit(n);
    }
    const double size = std::max(n[2].sample - n[0].sample, n[6].line - n[0].line);
    if (size > 1) return split(n);
    if (projects && longestEdge(n) <= tearLimit_) emit(n);
  }

 private:
  // How far the points between the corners lie from where the two triangles put them.
  static double linearError(const CellNodes& n) {
    return std::max({distance(n[1], middle(n[0], n[2])), distance(n[3], middle(n[0], n[6])),
                     distance(n[5], middle(n[2], n[8])), distance(n[7], middle(n[6], n[8])),
                     distance(n[4], middle(n[0], n[8]))});
  }

  bool missesCanvas(const CellNodes& n, double margin) const {
    const auto [xMin, xMax] = std::minmax_element(
        n.begin(), n.end(), [](const MeshVertex& p, const MeshVertex& q) { return p.x < q.x; });
    const auto [yMin, yMax] = std::minmax_element(
        n.begin(), n.end(), [](const MeshVertex& p, const MeshVertex& q) { return p.y < q.y; });
    return xMax->x < -margin || yMax->y < -margin || xMin->x > view_.width() + margin ||
           yMin->y > view_.height() + margin;
  }

  static double longestEdge(const CellNodes& n) {
    return std::max({distance(n[0], n[2]), distance(n[2], n[8]), distance(n[8], n[6]),
                     distance(n[6], n[0]), distance(n[0], n[8])});
  }

  void emit(const CellNodes& n) {
    if (out_.size() >= kMaxTrianglesPerThread)
      throw Error(
          "The positions of the location file do not form a satellite swath: the map "
          "would need more than " +
          std::to_string(kMaxTrianglesPerThread) + " triangles");
    out_.push_back({n[0], n[2], n[8]});
    out_.push_back({n[0], n[8], n[6]});
  }

  // Four quarter cells; their corners are this cell's points, their middles new ones.
  void split(const CellNodes& n) {
    std::array<CellNodes, 4> quarters;
    std::array<MeshVertex, 20> fresh;
    for (int q = 0; q < 4; ++q) {
      const int row = q / 2, column = q % 2;
      CellNodes& c = quarters[static_cast<std::size_t>(q)];
      c[0] = n[static_cast<std::size_t>(row * 3 + column)];
      c[2] = n[static_cast<std::size_t>(row * 3 + column + 1)];
      c[6] = n[static_cast<std::size_t>((row + 1) * 3 + column)];
      c[8] = n[static_cast<std::size_t>((row + 1) * 3 + column + 1)];
      const std::array<MeshVertex, 5> middles = {middle(c[0], c[2]), middle(c[0], c[6]),
                                                 middle(c[0], c[8]), middle(c[2], c[8]),
                                                 middle(c[6], c[8])};
      std::copy(middles.begin(), middles.end(), fresh.begin() + q * 5);
    }
    project(fresh);
    for (int q = 0; q < 4; ++q) {
      CellNodes& c = quarters[static_cast<std::size_t>(q)];
      const auto* m = fresh.data() + q * 5;
      c[1] = m[0], c[3] = m[1], c[4] = m[2], c[5] = m[3], c[7] = m[4];
      cell(c);
    }
  }

  const avhrr::LocationInterpolator& where_;
  const MapView& view_;
  double tolerance_;
  double tearLimit_;
  std::vector<MeshTriangle>& out_;
  std::vector<double> lon_, lat_;
};

// The cells of base rows [first, last), with a projection of the thread's own.
std::vector<MeshTriangle> meshRows(const avhrr::LocationInterpolator& where, const MapView& shared,
                                   const std::vector<double>& samples,
                                   const std::vector<double>& lines, std::size_t first,
                                   std::size_t last, const MeshOptions& options) {
  if (first == last) return {};
  const MapView view(shared.projection(), shared.box(), shared.width(), shared.height());
  std::vector<MeshTriangle> out;
  CellMesher mesher(where, view, options, out);
  // Three rows of points per base row (top, middle, bottom), each at every half step across.
  const std::size_t across = 2 * samples.size() - 1;
  auto pointRow = [&](double line) {
    std::vector<MeshVertex> row(across);
    for (std::size_t k = 0; k < across; ++k) {
      const double sample = k % 2 == 0 ? samples[k / 2] : (samples[k / 2] + samples[k / 2 + 1]) / 2;
      row[k] = {0, 0, sample, line};
    }
    mesher.project(row);
    return row;
  };
  std::vector<MeshVertex> top = pointRow(lines[first]);
  for (std::size_t r = first; r < last; ++r) {
    const std::vector<MeshVertex> mid = pointRow((lines[r] + lines[r + 1]) / 2);
    std::vector<MeshVertex> bottom = pointRow(lines[r + 1]);
    for (std::size_t k = 0; k + 2 < across; k += 2) {
      mesher.cell({top[k], top[k + 1], top[k + 2], mid[k], mid[k + 1], mid[k + 2], bottom[k],
                   bottom[k + 1], bottom[k + 2]});
    }
    top = std::move(bottom);
  }
  return out;
}

}  // namespace

std::vector<MeshTriangle> buildSwathMesh(const avhrr::LocationFileGrid& grid, const MapView& view,
                                         const MeshOptions& options) {
  const avhrr::LocationInterpolator where(grid);
  const std::vector<double> samples = axisNodes(grid.width, options.baseStep);
  const std::vector<double> lines = axisNodes(grid.height, options.baseStep);
  std::vector<std::vector<MeshTriangle>> parts(
      static_cast<std::size_t>(std::max(1, options.threads)));
  forEachBand(static_cast<int>(lines.size()) - 1, options.threads,
              [&](int band, int first, int last) {
                parts[static_cast<std::size_t>(band)] =
                    meshRows(where, view, samples, lines, static_cast<std::size_t>(first),
                             static_cast<std::size_t>(last), options);
              });
  std::vector<MeshTriangle> mesh;
  for (auto& part : parts) mesh.insert(mesh.end(), part.begin(), part.end());
  return mesh;
}

}  // namespace kestrova::remap
