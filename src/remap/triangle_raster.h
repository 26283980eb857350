// The output pixels a mesh triangle covers, row by row, with the picture position at each.
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>

#include "remap/swath_mesh.h"

namespace kestrova::remap {

// A run of pixels x0..x1-1 of row y; the picture position at pixel x is
// (sample + (x - x0) * dSample, line + (x - x0) * dLine).
struct PixelSpan {
  int y, x0, x1;
  double sample, line, dSample, dLine;
};

namespace detail {

// Where the edge p-q crosses the height y. The end points are put in one order first, so two
// triangles sharing the edge compute the same value to the last bit and meet without a gap.
inline double edgeX(MeshVertex p, MeshVertex q, double y) {
  if (q.y < p.y || (q.y == p.y && q.x < p.x)) std::swap(p, q);
  return p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y);
}

}  // namespace detail

// Calls visit(span) for the pixels of rows [rowBegin, rowEnd) and columns [0, width) whose
// centres lie inside the triangle. Edges are half open (a centre on the left or top edge is in,
// on the right or bottom edge out), so neighbouring triangles cover every pixel once.
template <class Visit>
void rasterise(const MeshTriangle& t, int width, int rowBegin, int rowEnd, Visit&& visit) {
  MeshVertex v[3] = {t.a, t.b, t.c};
  std::sort(v, v + 3, [](const MeshVertex& p, const MeshVertex& q) { return p.y < q.y; });
  const double ux = v[1].x - v[0].x, uy = v[1].y - v[0].y;
  const double wx = v[2].x - v[0].x, wy = v[2].y - v[0].y;
  const double det = ux * wy - wx * uy;
  if (!(std::abs(det) > 1e-12)) return;
  // The picture position is affine in the pixel position over the triangle.
  const double s1 = v[1].sample - v[0].sample, s2 = v[2].sample - v[0].sample;
  const double l1 = v[1].line - v[0].line, l2 = v[2].line - v[0].line;
  const double sx = (s1 * wy - s2 * uy) / det, sy = (s2 * ux - s1 * wx) / det;
  const double lx = (l1 * wy - l2 * uy) / det, ly = (l2 * ux - l1 * wx) / det;

  // Clamped as doubles: a vertex may lie far off the canvas, beyond what an int holds.
  const int first =
      static_cast<int>(std::ceil(std::clamp(v[0].y - 0.5, double(rowBegin), double(rowEnd))));
  const int last =
      static_cast<int>(std::ceil(std::clamp(v[2].y - 0.5, double(rowBegin), double(rowEnd))));
  for (int y = first; y < last; ++y) {
    const double yc = y + 0.5;
    const double xLong = detail::edgeX(v[0], v[2], yc);
    const double xShort =
        yc < v[1].y ? detail::edgeX(v[0], v[1], yc) : detail::edgeX(v[1], v[2], yc);
    const double left = std::min(xLong, xShort), right = std::max(xLong, xShort);
    const int x0 = static_cast<int>(std::ceil(std::clamp(left - 0.5, 0.0, double(width))));
    const int x1 = static_cast<int>(std::ceil(std::clamp(right - 0.5, 0.0, double(width))));
    if (x0 >= x1) continue;
    const double dx = x0 + 0.5 - v[0].x, dy = yc - v[0].y;
    visit(PixelSpan{y, x0, x1, v[0].sample + sx * dx + sy * dy, v[0].line + lx * dx + ly * dy, sx,
                    lx});
  }
}

}  // namespace kestrova::remap
