#include <algorithm>
#include <vector>

#include "products/pass_products.h"

namespace kestrova::products {
namespace {

constexpr int kQuickLookWidth = 512;

}  // namespace

Image quickLook(const Image& picture) {
  const int factor = std::max(1, (picture.width + kQuickLookWidth - 1) / kQuickLookWidth);
  if (factor == 1) return picture;
  const int channels = picture.channels();
  // Boxes at the right and bottom edges may be cut short; each averages what it holds.
  const int width = (picture.width + factor - 1) / factor;
  const int height = (picture.height + factor - 1) / factor;
  Image out = Image::blank(width, height, picture.format);
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(width) * channels);
  for (int oy = 0; oy < height; ++oy) {
    std::fill(sums.begin(), sums.end(), 0u);
    const int y0 = oy * factor, y1 = std::min(y0 + factor, picture.height);
    for (int y = y0; y < y1; ++y) {
      const std::uint8_t* in = picture.row(y);
      std::uint32_t* sum = sums.data();
      for (int x0 = 0; x0 < picture.width; x0 += factor, sum += channels) {
        const int x1 = std::min(x0 + factor, picture.width);
        for (int i = x0 * channels; i < x1 * channels; i += channels)
          for (int c = 0; c < channels; ++c) sum[c] += in[i + c];
      }
    }
    std::uint8_t* row = out.row(oy);
    for (int ox = 0; ox < width; ++ox) {
      const int x0 = ox * factor, x1 = std::min(x0 + factor, picture.width);
      const auto area = static_cast<std::uint32_t>((x1 - x0) * (y1 - y0));
      for (int c = 0; c < channels; ++c) {
        const auto i = static_cast<std::size_t>(ox * channels + c);
        row[i] = static_cast<std::uint8_t>((sums[i] + area / 2) / area);
      }
    }
  }
  return out;
}

void turn180(Image& picture) {
  const int channels = picture.channels();
  const std::size_t bytes = picture.rowBytes();
  auto reverse = [&](std::uint8_t* row) {
    for (int l = 0, r = picture.width - 1; l < r; ++l, --r)
      std::swap_ranges(row + l * channels, row + (l + 1) * channels, row + r * channels);
  };
  for (int top = 0, bottom = picture.height - 1; top <= bottom; ++top, --bottom) {
    std::uint8_t* a = picture.row(top);
    reverse(a);
    if (top == bottom) break;
    std::uint8_t* b = picture.row(bottom);
    reverse(b);
    std::swap_ranges(a, a + bytes, b);
  }
}

}  // namespace kestrova::products
