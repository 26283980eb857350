#include "avhrr/synthetic/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

UtcMs at(int year, int dayOfYear, int hour, int minute) {
  return utcFromYearDay(year, dayOfYear, (hour * 60 + minute) * 60'000LL);
}

// Reflectance factor (percent) back from the albedo the scene reports.
double reflectance(double albedo, UtcMs t, double lat, double lon) {
  const SunEphemeris sun = sunEphemeris(t);
  return albedo * sun.distanceAu * sun.distanceAu / cosSolarZenith(sun, lat, lon);
}

struct Place {
  double lat, lon;
};
constexpr Place kNormandy{49.2, 0.5};
constexpr Place kNorthSea{55.0, 3.0};
const UtcMs kJuneNoon = at(2025, 172, 12, 0);
const UtcMs kDecemberMidnight = at(2025, 350, 0, 0);

TEST(Scene, ClearDaySeparatesBrightVegetatedLandFromDarkSea) {
  const Scene scene(SceneOptions{.seed = 3, .cloudCover = 0.0});
  ASSERT_EQ(scene.ground(kNormandy.lat, kNormandy.lon).kind, SurfaceKind::Vegetation);
  ASSERT_EQ(scene.ground(kNorthSea.lat, kNorthSea.lon).kind, SurfaceKind::Sea);
  const ToaValues land = scene.at(kJuneNoon, kNormandy.lat, kNormandy.lon);
  const ToaValues sea = scene.at(kJuneNoon, kNorthSea.lat, kNorthSea.lon);

  const double land1 = reflectance(land.albedo[0], kJuneNoon, kNormandy.lat, kNormandy.lon);
  const double land2 = reflectance(land.albedo[1], kJuneNoon, kNormandy.lat, kNormandy.lon);
  EXPECT_GT(land2, land1 + 10) << "vegetation is brighter in the near infrared";
  EXPECT_GE(land2, 10);
  EXPECT_LE(land2, 30);
  for (int c = 0; c < 3; ++c) {
    const double r = reflectance(sea.albedo[c], kJuneNoon, kNorthSea.lat, kNorthSea.lon);
    EXPECT_GE(r, 2) << "channel " << c;
    EXPECT_LE(r, 8) << "channel " << c;
  }
  EXPECT_GT(land.albedo[1], 3 * sea.albedo[1]);
  // A June noon heats the land above the sea beside it; channel 5 reads colder than 4.
  EXPECT_GT(land.temperature[1], sea.temperature[1]);
  EXPECT_LT(land.temperature[2], land.temperature[1]);
  EXPECT_LT(sea.temperature[2], sea.temperature[1]);
}

TEST(Scene, NightHasNoAlbedoAndCoolerLand) {
  const Scene scene(SceneOptions{.seed = 3, .cloudCover = 0.0});
  const ToaValues night = scene.at(kDecemberMidnight, kNormandy.lat, kNormandy.lon);
  for (double albedo : night.albedo) EXPECT_EQ(albedo, 0.0);
  for (double kelvin : night.temperature) {
    EXPECT_GT(kelvin, 260);
    EXPECT_LT(kelvin, 300);
  }
  const ToaValues day = scene.at(kJuneNoon, kNormandy.lat, kNormandy.lon);
  EXPECT_GT(day.temperature[1], night.temperature[1] + 5);
}

TEST(Scene, SunlightWarmsChannel3BByDayOnly) {
  const Scene scene(SceneOptions{.seed = 3, .cloudCover = 0.0});
  const ToaValues day = scene.at(kJuneNoon, kNorthSea.lat, kNorthSea.lon);
  const ToaValues night = scene.at(kDecemberMidnight, kNorthSea.lat, kNorthSea.lon);
  EXPECT_GT(day.temperature[0], day.temperature[1] + 3);
  EXPECT_NEAR(night.temperature[0], night.temperature[1], 2.0);
}

TEST(Scene, SeaIsWarmestInTheTropics) {
  const Scene scene(SceneOptions{.seed = 3, .cloudCover = 0.0});
  const double tropical = scene.at(kDecemberMidnight, 0.0, -150.0).temperature[1];
  const double northern = scene.at(kDecemberMidnight, 55.0, -150.0).temperature[1];
  EXPECT_GT(tropical, northern + 5);
  for (double kelvin : {tropical, northern}) {
    EXPECT_GT(kelvin, 280);
    EXPECT_LT(kelvin, 300);
  }
  // A slanted view through more vapour reads colder and splits 4 and 5 further.
  const ToaValues nadir = scene.at(kDecemberMidnight, 0.0, -150.0, 0.0);
  const ToaValues slant = scene.at(kDecemberMidnight, 0.0, -150.0, 60.0);
  EXPECT_LT(slant.temperature[1], nadir.temperature[1] - 1);
  EXPECT_GT(slant.temperature[1] - slant.temperature[2],
            nadir.temperature[1] - nadir.temperature[2]);
}

TEST(Scene, CloudsCoverTheRequestedShareAndLookLikeClouds) {
  const Scene scene(SceneOptions{.seed = 11, .cloudCover = 0.3});
  int samples = 0, cloudy = 0, checked = 0;
  for (double lat = -80; lat <= 80; lat += 4) {
    for (double lon = -180; lon < 180; lon += 4 / std::cos(lat * kRadPerDeg)) {
      ++samples;
      if (scene.ground(lat, lon).cloudFraction < 0.99) continue;
      ++cloudy;
      // Overcast pixels near the subsolar point: bright, with cold tops.
      const SunEphemeris sun = sunEphemeris(kJuneNoon);
      if (cosSolarZenith(sun, lat, lon) < 0.8) continue;
      ++checked;
      const ToaValues v = scene.at(sun, lat, lon);
      const double r1 = reflectance(v.albedo[0], kJuneNoon, lat, lon);
      EXPECT_GE(r1, 50);
      EXPECT_LE(r1, 80);
      EXPECT_GE(v.temperature[1], 220);
      EXPECT_LE(v.temperature[1], 260);
    }
  }
  EXPECT_NEAR(static_cast<double>(cloudy) / samples, 0.3, 0.08);
  EXPECT_GT(checked, 5);

  const Scene clear(SceneOptions{.seed = 11, .cloudCover = 0.0});
  for (double lat = -60; lat <= 60; lat += 10)
    for (double lon = -180; lon < 180; lon += 10)
      EXPECT_EQ(clear.ground(lat, lon).cloudFraction, 0.0);
}

TEST(Scene, SameSeedGivesTheSameSceneAnotherSeedOtherClouds) {
  const Scene a(SceneOptions{.seed = 5}), b(SceneOptions{.seed = 5}), c(SceneOptions{.seed = 6});
  int differing = 0;
  for (double lat = -60; lat <= 60; lat += 7.5) {
    for (double lon = -180; lon < 180; lon += 9) {
      const ToaValues va = a.at(kJuneNoon, lat, lon, 20), vb = b.at(kJuneNoon, lat, lon, 20);
      EXPECT_EQ(va.albedo, vb.albedo);
      EXPECT_EQ(va.temperature, vb.temperature);
      differing += a.ground(lat, lon).cloudFraction != c.ground(lat, lon).cloudFraction;
    }
  }
  EXPECT_GT(differing, 20);
}

TEST(Scene, RejectsANonsensicalCloudSize) {
  EXPECT_THROW(Scene(SceneOptions{.cloudSizeKm = 0}), Error);
  EXPECT_THROW(Scene(SceneOptions{.cloudSizeKm = NAN}), Error);
}

}  // namespace
}  // namespace kestrova::avhrr
