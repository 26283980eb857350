// The corrected and quick-look forms, and the turn a northbound pass takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "avhrr/geolocation/grid_interpolator.h"
#include "products/panorama_correction.h"
#include "products/pass_geometry.h"
#include "products/pass_products.h"
#include "support/located_pass.h"

namespace kestrova::products {
namespace {

// Every step of `step` output columns, on several lines, covers the same ground within 1 %.
void expectEvenGround(const avhrr::Pass& pass, const avhrr::LocationGrid& grid, int step,
                      int expectedWidth) {
  const PassGeometry geometry(pass, &grid);
  const PanoramaCorrection correction(pass.width, geometry.satelliteHeightKm());
  EXPECT_NEAR(correction.outputWidth(), expectedWidth, expectedWidth * 0.03);
  const avhrr::GridInterpolator interpolator(grid);
  for (int line : {0, pass.lineCount() / 2, pass.lineCount() - 1}) {
    std::vector<double> steps;
    for (int j = 0; j + step < correction.outputWidth(); j += step) {
      const auto a = interpolator.at(line, correction.sourceSample(j));
      const auto b = interpolator.at(line, correction.sourceSample(j + step));
      steps.push_back(avhrr::surfaceDistanceKm(a, b));
    }
    const double mean = std::accumulate(steps.begin(), steps.end(), 0.0) / steps.size();
    for (std::size_t k = 0; k < steps.size(); ++k)
      EXPECT_NEAR(steps[k], mean, 0.01 * mean) << "line " << line << " columns " << k * step;
  }
  // The nadir step is the plain picture's own: the centre keeps its resolution.
  EXPECT_NEAR(correction.sourceSample(correction.outputWidth() / 2 + 1) -
                  correction.sourceSample(correction.outputWidth() / 2),
              1.0, 0.01);
}

TEST(CorrectedForm, EqualGroundDistancesAreEqualPixelDistances) {
  const auto options = testing::noaa19Options(testing::kDayMinutes, 30);
  const auto located = testing::locatedPass(options);
  // 2048 samples over +-55.37° from some 860 km: about 3.7 thousand at the 0.8 km nadir step.
  expectEvenGround(located->pass, located->grid, 100, 3700);
  const avhrr::Pass gac = avhrr::syntheticLevel1b(located->pass, options, avhrr::DataType::Gac);
  expectEvenGround(gac, avhrr::gridFromTiePoints(gac), 20, 740);
}

TEST(EveryProduct, GacPassesKeepTheirWidthAndShowTheScene) {
  const auto options = testing::noaa19Options(testing::kDayMinutes, 30);
  const auto located = testing::locatedPass(options);
  const avhrr::Pass gac = avhrr::syntheticLevel1b(located->pass, options, avhrr::DataType::Gac);
  const avhrr::LocationGrid grid = avhrr::gridFromTiePoints(gac);
  const avhrr::PassCalibration calibration(gac);
  const PassProducts products(gac, calibration, &grid, std::nullopt);
  std::vector<ProductChoice> all;
  for (int product = 0; product < 12; ++product) all.push_back({product, {1, 2, 4}});
  const auto pictures = products.plainAll(all);
  for (int product = 0; product < 12; ++product) {
    const Image& image = pictures[product].image;
    EXPECT_EQ(image.width, 409);
    EXPECT_EQ(image.height, gac.lineCount());
    // Daylight over sea and cloud: no product is one flat tone.
    const auto [low, high] = std::minmax_element(image.pixels.begin(), image.pixels.end());
    EXPECT_GT(*high - *low, 40) << "product " << product;
  }
  // Corrected, it widens in proportion to the full-resolution pass it was made from.
  const PassProducts full(located->pass, *located->calibration, &located->grid, std::nullopt);
  const int fullWidth = full.corrected(full.plain({5, {1, 2, 4}}).image).width;
  EXPECT_NEAR(products.corrected(pictures[5].image).width, fullWidth * 409.0 / 2048, 7.5);
}

TEST(CorrectedForm, IsThePlainPictureResampledLineByLine) {
  const auto located = testing::locatedPass(testing::noaa19Options(testing::kDayMinutes, 2));
  const PassProducts products(located->pass, *located->calibration, &located->grid, {});
  const Image plain = products.plain({5, {1, 2, 4}}).image;
  const Image corrected = products.corrected(plain);
  EXPECT_EQ(corrected.height, plain.height);
  EXPECT_EQ(corrected.format, PixelFormat::Rgb888);
  // The edge columns show the edge samples, the middle one nadir.
  for (int y = 0; y < plain.height; ++y) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(corrected.row(y)[c], plain.row(y)[c]);
      EXPECT_EQ(corrected.row(y)[(corrected.width - 1) * 3 + c], plain.row(y)[2047 * 3 + c]);
    }
  }
  Image narrow = Image::blank(409, 2, PixelFormat::Grey8);
  EXPECT_THROW(products.corrected(narrow), Error);
}

Image numbered(int width, int height, PixelFormat format) {
  Image image = Image::blank(width, height, format);
  for (int y = 0; y < height; ++y)
    for (std::size_t i = 0; i < image.rowBytes(); ++i)
      image.row(y)[i] = static_cast<std::uint8_t>((y * 31 + static_cast<int>(i) * 7) % 251);
  return image;
}

TEST(QuickLook, BoxAveragesToAtMost512SamplesKeepingTheMean) {
  struct Case {
    int width, height;
    PixelFormat format;
    int expectedWidth, expectedHeight;
  };
  for (const Case& c :
       {Case{2048, 403, PixelFormat::Grey8, 512, 101}, Case{3701, 40, PixelFormat::Rgb888, 463, 5},
        Case{409, 30, PixelFormat::Grey8, 409, 30}, Case{513, 3, PixelFormat::Rgb888, 257, 2}}) {
    const Image picture = numbered(c.width, c.height, c.format);
    const Image quick = quickLook(picture);
    EXPECT_EQ(quick.width, c.expectedWidth);
    EXPECT_EQ(quick.height, c.expectedHeight);
    EXPECT_EQ(quick.format, c.format);
    // Full boxes: each output pixel is the rounded mean of its box.
    const int f = (c.width + 511) / 512;
    for (int ch = 0; ch < picture.channels(); ++ch) {
      double sum = 0;
      for (int y = 0; y < f; ++y)
        for (int x = 0; x < f; ++x) sum += picture.row(y)[x * picture.channels() + ch];
      EXPECT_NEAR(quick.row(0)[ch], sum / (f * f), 0.5);
    }
  }
  // A uniform picture stays uniform, the cut-short boxes at the edges included.
  Image grey = Image::blank(3701, 41, PixelFormat::Grey8);
  std::fill(grey.pixels.begin(), grey.pixels.end(), std::uint8_t{77});
  const Image quick = quickLook(grey);
  for (int y = 0; y < quick.height; ++y)
    for (int x = 0; x < quick.width; ++x) ASSERT_EQ(quick.row(y)[x], 77);
}

TEST(Turn180, PutsEveryPixelOppositeAndUndoesItself) {
  for (PixelFormat format : {PixelFormat::Grey8, PixelFormat::Rgb888}) {
    for (auto [width, height] : {std::pair{5, 3}, std::pair{4, 4}, std::pair{1, 1}}) {
      const Image original = numbered(width, height, format);
      Image turned = original;
      turn180(turned);
      const int n = original.channels();
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          for (int c = 0; c < n; ++c)
            ASSERT_EQ(turned.row(height - 1 - y)[(width - 1 - x) * n + c],
                      original.row(y)[x * n + c]);
      turn180(turned);
      EXPECT_TRUE(samePixels(turned, original));
    }
  }
}

}  // namespace
}  // namespace kestrova::products
