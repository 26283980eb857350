// The twelve products on synthetic passes, where the truth is known: the scene says where land,
// sea and cloud are, and the calibration gives the values the products start from.
#include "products/pass_products.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <thread>

#include "avhrr/geolocation/grid_interpolator.h"
#include "avhrr/orbit/earth_rotation.h"
#include "avhrr/synthetic/scene.h"
#include "avhrr/synthetic/solar_position.h"
#include "geo/coastline_set.h"
#include "products/product_scales.h"
#include "products/sea_surface.h"
#include "support/located_pass.h"

namespace kestrova::products {
namespace {

using avhrr::GeoPoint;
using testing::LocatedPass;

constexpr std::array<int, 3> kR1G2B4{1, 2, 4};
constexpr int kSwitchLine = 180;  // the day pass's channel 3 is 3A before, 3B from here

// A minute of afternoon over the Arabian Sea with the Horn of Africa at the edge, channel 3
// switching from 3A to 3B half way; half a minute of night.
const LocatedPass& dayPass() {
  static const auto pass = [] {
    auto o = testing::noaa19Options(-100.0, 60);
    o.channel3 = avhrr::Channel3::A3;
    o.channel3SwitchLine = kSwitchLine;
    return testing::locatedPass(o);
  }();
  return *pass;
}
const LocatedPass& nightPass() {
  static const auto pass = testing::locatedPass(testing::noaa19Options(testing::kNightMinutes, 30));
  return *pass;
}

Image plain(const LocatedPass& p, int product, std::optional<RgbRecipe> recipe = {}) {
  const PassProducts products(p.pass, *p.calibration, &p.grid, std::move(recipe));
  return products.plain({product, kR1G2B4}).image;
}

const std::uint8_t* pixel(const Image& image, int line, int sample) {
  return image.row(line) + static_cast<std::size_t>(sample) * image.channels();
}

double meanTone(const Image& image) {
  double sum = 0;
  for (int y = 0; y < image.height; ++y)
    for (std::size_t i = 0; i < image.rowBytes(); ++i) sum += image.row(y)[i];
  return sum / (static_cast<double>(image.height) * static_cast<double>(image.rowBytes()));
}

// What the scene put at every 8th pixel of every 8th line: the truth the pictures are checked on.
// Synthetic lines draw the scene at nodes some tens of samples apart and blend between them, so
// only pixels whose neighbourhood out to the next nodes is all of one kind count.
struct Truth {
  int line, sample;
  GeoPoint at;
  bool land;
  double cloud;
};
std::vector<Truth> sceneTruth(const LocatedPass& p) {
  const avhrr::Scene scene({});  // the options synthetic passes are drawn with by default
  const avhrr::GridInterpolator interpolator(p.grid);
  constexpr int kReach = 40;
  std::vector<Truth> out;
  for (int line = 4; line < p.pass.lineCount(); line += 8) {
    for (int s = kReach; s + kReach < p.pass.width; s += 8) {
      std::array<Truth, 3> around;
      for (int k = 0; k < 3; ++k) {
        const GeoPoint at = interpolator.at(line, s + (k - 1) * kReach);
        const auto ground = scene.ground(at.latitude, at.longitude);
        around[k] = {line, s, at, ground.kind != avhrr::SurfaceKind::Sea, ground.cloudFraction};
      }
      const auto kind = [](const Truth& t) {
        return t.land * 3 + (t.cloud > 0) + (t.cloud >= 0.99);
      };
      if (kind(around[0]) == kind(around[1]) && kind(around[1]) == kind(around[2]))
        out.push_back(around[1]);
    }
  }
  return out;
}

double meanOver(const Image& image, const std::vector<Truth>& truth, bool land, bool cloudy) {
  double sum = 0;
  int count = 0;
  for (const auto& t : truth) {
    if (t.land != land || (cloudy ? t.cloud < 0.99 : t.cloud > 0)) continue;
    sum += *pixel(image, t.line, t.sample);
    ++count;
  }
  EXPECT_GT(count, 50) << "too few " << (land ? "land" : "sea") << (cloudy ? " cloud" : "")
                       << " pixels for a fair comparison";
  return sum / std::max(count, 1);
}

TEST(ChannelProducts, ShowTheSceneAsTheEyeExpects) {
  const auto truth = sceneTruth(dayPass());
  const Image ch2 = plain(dayPass(), 1);
  EXPECT_GT(meanOver(ch2, truth, true, false), meanOver(ch2, truth, false, false) + 40)
      << "clear land brighter than clear sea in channel 2 by day";
  const Image ch4 = plain(dayPass(), 3);
  EXPECT_GT(meanOver(ch4, truth, false, true), meanOver(ch4, truth, false, false) + 60)
      << "cloud whiter than the sea under it in channel 4";
  EXPECT_GT(meanOver(ch4, truth, false, true), meanOver(ch4, truth, true, false) + 60)
      << "cloud whiter than the ground in channel 4";
}

TEST(ChannelProducts, NightHasDarkVisibleChannelsAndFalseColourFromChannel4) {
  const Image ch1 = plain(nightPass(), 0), ch2 = plain(nightPass(), 1);
  // Night albedos are noise about zero, which the square root lifts a little: far below the
  // day's 40 and more.
  EXPECT_LT(meanTone(ch1), 8.0);
  EXPECT_LT(meanTone(ch2), 8.0);
  const Image fc = plain(nightPass(), 5), ch4 = plain(nightPass(), 3);
  for (int y = 0; y < fc.height; ++y)
    for (int s = 0; s < fc.width; ++s)
      for (int c = 0; c < 3; ++c)
        ASSERT_EQ(pixel(fc, y, s)[c], *pixel(ch4, y, s)) << "line " << y << " sample " << s;
  EXPECT_GT(meanTone(fc), 40.0);
}

// Colour products whose components are grey products: RGB R1G2B4, and false colour in
// daylight (the whole of the day pass) channels 2, 2, 1.
TEST(ColourProducts, StackTheGreyProducts) {
  const std::array<Image, 4> greys{plain(dayPass(), 0), plain(dayPass(), 1), Image{},
                                   plain(dayPass(), 3)};
  for (auto [product, channels] : {std::pair{6, kR1G2B4}, std::pair{5, std::array{2, 2, 1}}}) {
    const Image colour = plain(dayPass(), product);
    for (int y = 0; y < colour.height; ++y)
      for (int s = 0; s < colour.width; ++s)
        for (int c = 0; c < 3; ++c)
          ASSERT_EQ(pixel(colour, y, s)[c], *pixel(greys[channels[c] - 1], y, s))
              << "product " << product << " line " << y << " sample " << s;
  }
}

TEST(ColourProducts, NaturalColourAndTheSameRecipeAgree) {
  const Image builtIn = plain(dayPass(), 7);
  // The built-in mapping written as a recipe: red from 3A, which the 3B lines do not have.
  const Image user = plain(dayPass(), 7,
                           parseRgbRecipe("R = sqrt(c3 / 100)  # 3A\n"
                                          "G = sqrt(c2/100)\nB = sqrt(c1/100)\n"));
  int compared = 0;
  for (int y = 0; y < builtIn.height; ++y) {
    for (int s = 0; s < builtIn.width; s += 3) {
      for (int c = y < kSwitchLine ? 0 : 1; c < 3; ++c) {
        ASSERT_NEAR(pixel(builtIn, y, s)[c], pixel(user, y, s)[c], 1)
            << "line " << y << " sample " << s << " component " << c;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 100000);
}

TEST(ColourProducts, NdviIsBlueOverSeaAndGreenOrBrownOverLand) {
  const auto truth = sceneTruth(dayPass());
  const Image ndvi = plain(dayPass(), 10);
  int sea = 0, land = 0;
  for (const auto& t : truth) {
    if (t.cloud > 0) continue;
    const std::uint8_t* px = pixel(ndvi, t.line, t.sample);
    if (t.land) {
      EXPECT_GT(px[0] + px[1], 2 * px[2]) << "land at line " << t.line << " sample " << t.sample;
      ++land;
    } else {
      EXPECT_GT(px[2], std::max(px[0], px[1]))
          << "sea at line " << t.line << " sample " << t.sample;
      ++sea;
    }
  }
  EXPECT_GT(land, 50);
  EXPECT_GT(sea, 50);
}

// The satellite zenith angle at a ground point, from the orbit itself.
double satelliteZenithDeg(const avhrr::SyntheticPassOptions& o, avhrr::UtcMs t, GeoPoint at) {
  const avhrr::Sgp4 orbit(o.elements);
  const auto sat = avhrr::temeToEarthFixed(orbit.at(t).position, avhrr::greenwichSiderealTime(t));
  const auto ground = avhrr::cartesianFromGeodetic(at.latitude, at.longitude);
  const double lat = at.latitude * std::numbers::pi / 180,
               lon = at.longitude * std::numbers::pi / 180;
  const std::array<double, 3> up{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon),
                                 std::sin(lat)};
  double dot = 0, length = 0;
  for (int k = 0; k < 3; ++k) {
    dot += (sat[k] - ground[k]) * up[k];
    length += (sat[k] - ground[k]) * (sat[k] - ground[k]);
  }
  return std::acos(dot / std::sqrt(length)) * 180 / std::numbers::pi;
}

TEST(SeaSurfaceProduct, FollowsTheSplitWindowOnClearSeaAndNeverShowsLand) {
  const LocatedPass& day = dayPass();
  // The same counts as seen by a satellite with published coefficients.
  avhrr::Pass pass = day.pass;
  pass.satellite = avhrr::satelliteByName("NOAA-14");
  const PassProducts products(pass, *day.calibration, &day.grid, std::nullopt);
  const Picture sst = products.plain({9, kR1G2B4});
  EXPECT_TRUE(sst.notes.empty());
  const SstCoefficients& set = *sstCoefficients(pass.satellite);
  const auto options = testing::noaa19Options(-100.0, 60);
  const Palette& palette = Scales::seaSurface();
  std::vector<float> t4(2048), t5(2048);
  int clearSea = 0;
  for (const auto& t : sceneTruth(day)) {
    const std::uint8_t* px = pixel(sst.image, t.line, t.sample);
    const std::array<std::uint8_t, 3> colour{px[0], px[1], px[2]};
    const bool tone = colour == Scales::kLandTone || colour == Scales::kCloudTone;
    if (t.land) {
      EXPECT_TRUE(tone) << "a temperature on land at line " << t.line << " sample " << t.sample;
      continue;
    }
    if (tone) continue;
    day.calibration->calibrateRow(3, t.line, t4);
    day.calibration->calibrateRow(4, t.line, t5);
    const double T4 = t4[t.sample], T5 = t5[t.sample];
    const auto time = pass.lines[t.line].time;
    const double sun = avhrr::solarPosition(time, t.at.latitude, t.at.longitude).zenithDeg;
    const double secant =
        1 / std::cos(satelliteZenithDeg(options, time, t.at) * std::numbers::pi / 180);
    const SplitWindow& w = sun < 85 ? set.day : set.night;
    const double expected = w.a * T4 + w.b * (T4 - T5) + w.c * (T4 - T5) * (secant - 1) + w.d;
    bool matches = false;
    for (double d = -0.3; d <= 0.3; d += 0.02) matches |= palette.colour(expected + d) == colour;
    EXPECT_TRUE(matches) << "line " << t.line << " sample " << t.sample << ": expected " << expected
                         << " °C";
    EXPECT_LT(t.cloud, 0.05) << "cloud taken for clear sea at line " << t.line;
    ++clearSea;
  }
  EXPECT_GT(clearSea, 500);
}

TEST(SeaSurfaceProduct, SaysWhenTheSatelliteHasNoCoefficients) {
  const PassProducts products(dayPass().pass, *dayPass().calibration, &dayPass().grid, {});
  const Picture sst = products.plain({9, kR1G2B4});
  ASSERT_EQ(sst.notes.size(), 1u);
  EXPECT_EQ(sst.notes[0], "No SST coefficients for NOAA-19: the picture shows land and cloud only");
}

TEST(EveryProduct, MissingLinesAreBlackRowsNothingElseIsBlankAndOneSweepAgrees) {
  auto o = testing::noaa19Options(-100.0, 10);
  auto p = testing::locatedPass(o);
  for (int line = 20; line < 30; ++line) {
    p->pass.lines[line].quality = avhrr::LineQuality::Missing;
    for (int c = 0; c < 5; ++c) std::ranges::fill(p->pass.row(c, line), std::uint16_t{0});
  }
  const avhrr::PassCalibration calibration(p->pass);
  const PassProducts products(p->pass, calibration, &p->grid, std::nullopt);
  std::vector<ProductChoice> all;
  for (int product = 0; product < 12; ++product) all.push_back({product, kR1G2B4});
  const std::vector<Picture> sweep = products.plainAll(all);
  for (int product = 0; product < 12; ++product) {
    const Image image = products.plain({product, kR1G2B4}).image;
    EXPECT_TRUE(samePixels(image, sweep[product].image)) << "one sweep differs: " << product;
    ASSERT_EQ(image.width, 2048);
    ASSERT_EQ(image.height, p->pass.lineCount());
    for (int y = 0; y < image.height; ++y) {
      const std::uint8_t* row = image.row(y);
      const bool black = std::all_of(row, row + image.rowBytes(), [](auto v) { return v == 0; });
      EXPECT_EQ(black, y >= 20 && y < 30) << "product " << product << " line " << y;
    }
  }
}

TEST(EveryProduct, WithoutPositionsFallsBackAndSaysSo) {
  const LocatedPass& day = dayPass();
  const PassProducts blind(day.pass, *day.calibration, nullptr, std::nullopt);
  const Picture fc = blind.plain({5, kR1G2B4});
  ASSERT_EQ(fc.notes.size(), 1u);
  EXPECT_NE(fc.notes[0].find("No positions"), std::string::npos);
  // Every line of this pass is lit, so day false colour throughout, as with positions.
  EXPECT_TRUE(samePixels(fc.image, plain(day, 5)));
  EXPECT_NE(blind.plain({9, kR1G2B4}).notes[0].find("land mask"), std::string::npos);
  // One sweep falls back the same way, also beside a product that must not (User-RGB).
  const std::vector<ProductChoice> choices{{7, kR1G2B4}, {5, kR1G2B4}, {10, kR1G2B4}};
  const auto sweep = blind.plainAll(choices);
  for (std::size_t k = 0; k < choices.size(); ++k)
    EXPECT_TRUE(samePixels(sweep[k].image, blind.plain(choices[k]).image)) << k;
}

TEST(EveryProduct, RefusesChoicesOutsideTheTable) {
  const PassProducts products(dayPass().pass, *dayPass().calibration, &dayPass().grid, {});
  try {
    products.plain({6, {7, 2, 4}});
    FAIL() << "channel 7 accepted";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("R7G2B4"), std::string::npos) << e.what();
  }
  EXPECT_THROW(products.plain({12, kR1G2B4}), Error);
  EXPECT_THROW(products.plain({-1, kR1G2B4}), Error);
}

TEST(EveryProduct, TwoThreadsMakeWhatOneDoes) {
  const LocatedPass& day = dayPass();
  const PassProducts products(day.pass, *day.calibration, &day.grid, std::nullopt);
  Image a, b;
  std::thread first([&] { a = products.plain({9, kR1G2B4}).image; });
  std::thread second([&] { b = products.plain({5, kR1G2B4}).image; });
  first.join();
  second.join();
  EXPECT_TRUE(samePixels(a, plain(day, 9)));
  EXPECT_TRUE(samePixels(b, plain(day, 5)));
}

}  // namespace
}  // namespace kestrova::products
