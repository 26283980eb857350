#include "remap/swath_remap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "base/error.h"
#include "remap/parallel_bands.h"
#include "remap/triangle_raster.h"

namespace kestrova::remap {
namespace {

void checkSizes(const Image& picture, const avhrr::LocationFileGrid& grid) {
  if (picture.width == grid.width && picture.height == grid.height) return;
  throw Error("The picture is " + std::to_string(picture.width) + " x " +
              std::to_string(picture.height) + " pixels but its location file describes " +
              std::to_string(grid.width) + " x " + std::to_string(grid.height));
}

// Reads picture pixels as RGB, a grey pixel as three equal values.
template <int Channels>
struct PictureSampler {
  const Image& picture;

  std::array<std::uint8_t, 3> at(int x, int y) const {
    const std::uint8_t* p = picture.row(y) + x * Channels;
    if constexpr (Channels == 1) return {p[0], p[0], p[0]};
    return {p[0], p[1], p[2]};
  }

  std::array<std::uint8_t, 3> nearest(double s, double l) const {
    return at(std::clamp(static_cast<int>(std::lround(s)), 0, picture.width - 1),
              std::clamp(static_cast<int>(std::lround(l)), 0, picture.height - 1));
  }

  // Between pixel centres; beyond the outermost centres the edge pixels hold their value.
  std::array<std::uint8_t, 3> bilinear(double s, double l) const {
    s = std::clamp(s, 0.0, picture.width - 1.0);
    l = std::clamp(l, 0.0, picture.height - 1.0);
    const int x = std::min(static_cast<int>(s), std::max(0, picture.width - 2));
    const int y = std::min(static_cast<int>(l), std::max(0, picture.height - 2));
    const int x1 = std::min(x + 1, picture.width - 1), y1 = std::min(y + 1, picture.height - 1);
    const double u = s - x, w = l - y;
    const auto p00 = at(x, y), p01 = at(x1, y), p10 = at(x, y1), p11 = at(x1, y1);
    std::array<std::uint8_t, 3> out{};
    for (int k = 0; k < 3; ++k) {
      const double top = p00[k] + u * (p01[k] - p00[k]);
      const double bottom = p10[k] + u * (p11[k] - p10[k]);
      out[k] = static_cast<std::uint8_t>(top + w * (bottom - top) + 0.5);
    }
    return out;
  }
};

template <int Channels>
std::int64_t drawRows(const PictureSampler<Channels>& sampler, Sampling sampling,
                      const std::vector<MeshTriangle>& mesh, Image& map, int rowBegin, int rowEnd) {
  const double sEnd = sampler.picture.width - 0.5, lEnd = sampler.picture.height - 0.5;
  std::int64_t covered = 0;
  for (const MeshTriangle& t : mesh) {
    rasterise(t, map.width, rowBegin, rowEnd, [&](const PixelSpan& span) {
      std::uint8_t* out = map.row(span.y) + span.x0 * 3;
      for (int i = 0; i < span.x1 - span.x0; ++i, out += 3) {
        const double s = span.sample + i * span.dSample, l = span.line + i * span.dLine;
        // The footprint's own edge, where linear steps may overshoot by a hair.
        if (!(s >= -0.5 && s < sEnd && l >= -0.5 && l < lEnd)) continue;
        const auto rgb =
            sampling == Sampling::Bilinear ? sampler.bilinear(s, l) : sampler.nearest(s, l);
        std::copy(rgb.begin(), rgb.end(), out);
        ++covered;
      }
    });
  }
  return covered;
}

}  // namespace

RemappedPicture remapPicture(const Image& picture, const avhrr::LocationFileGrid& grid,
                             const MapView& view, const RemapOptions& options) {
  checkSizes(picture, grid);
  checkImageLayout(picture);
  MeshOptions meshOptions = options.mesh;
  meshOptions.threads = options.threads;
  const std::vector<MeshTriangle> mesh = buildSwathMesh(grid, view, meshOptions);

  RemappedPicture result{Image::blank(view.width(), view.height(), PixelFormat::Rgb888), 0};
  std::vector<std::int64_t> covered(static_cast<std::size_t>(std::max(1, options.threads)));
  forEachBand(view.height(), options.threads, [&](int band, int begin, int end) {
    covered[static_cast<std::size_t>(band)] =
        picture.format == PixelFormat::Grey8
            ? drawRows(PictureSampler<1>{picture}, options.sampling, mesh, result.map, begin, end)
            : drawRows(PictureSampler<3>{picture}, options.sampling, mesh, result.map, begin, end);
  });
  for (std::int64_t c : covered) result.coveredPixels += c;
  return result;
}

}  // namespace kestrova::remap
