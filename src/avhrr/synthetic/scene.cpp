#include "avhrr/synthetic/scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "base/error.h"
#include "geo/coastline_set.h"

namespace kestrova::avhrr {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
constexpr double kEarthRadiusKm = 6371.0;

// Typical reflectance factors (percent) in channels 1, 2 and 3A and the 3.7 µm reflectance
// (fraction) of each surface. Vegetation is the red edge: far brighter in 2 than in 1.
struct SurfaceOptics {
  std::array<double, 3> reflectance;
  double reflectance37;
};

constexpr SurfaceOptics kOptics[] = {
    /* Sea */ {{6, 4, 3}, 0.02},
    /* Vegetation */ {{9, 27, 20}, 0.05},
    /* Desert */ {{26, 32, 40}, 0.25},
    /* Ice */ {{75, 70, 10}, 0.03},
};

const SurfaceOptics& optics(SurfaceKind kind) {
  return kOptics[static_cast<int>(kind)];
}

// Channel 3B: central wave number (cm-1), Planck's constants as the calibration uses them, and
// the solar irradiance at 3.7 µm at 1 AU (mW m-2 (cm-1)-1; the Sun as a 5778 K black body).
constexpr double kNu3b = 2670.0;
constexpr double kC1 = 1.1910427e-5;
constexpr double kC2 = 1.4387752;
constexpr double kSolarIrradiance37 = 16.0;

double planck3b(double kelvin) {
  return kC1 * kNu3b * kNu3b * kNu3b / (std::exp(kC2 * kNu3b / kelvin) - 1.0);
}

double brightness3b(double radiance) {
  return kC2 * kNu3b / std::log(1.0 + kC1 * kNu3b * kNu3b * kNu3b / radiance);
}

double smoothstep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

struct UnitVector {
  double x, y, z;
};

UnitVector unitVector(double latDeg, double lonDeg) {
  const double lat = latDeg * kRadPerDeg, lon = lonDeg * kRadPerDeg;
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

// Distinct offsets give independent fields from the one noise source.
constexpr double kThicknessOffset = 101.0;
constexpr double kHeightOffset = 211.0;
constexpr double kAridityOffset = 307.0;
constexpr int kCloudOctaves = 4;

// The noise level exceeded on the requested share of the globe, from evenly spread samples
// (a Fibonacci lattice on the sphere), so cloudCover means what it says whatever the seed.
double coverThreshold(const SmoothNoise& noise, double scale, double cover) {
  if (cover <= 0) return 2.0;
  if (cover >= 1) return -1.0;
  constexpr int kSamples = 4096;
  std::vector<double> levels(kSamples);
  const double golden = std::numbers::pi * (3.0 - std::sqrt(5.0));
  for (int i = 0; i < kSamples; ++i) {
    const double z = 1.0 - (i + 0.5) * 2.0 / kSamples;
    const double r = std::sqrt(1.0 - z * z);
    levels[i] = noise.fractal(r * std::cos(golden * i) * scale, r * std::sin(golden * i) * scale,
                              z * scale, kCloudOctaves);
  }
  const auto k = static_cast<std::size_t>((1.0 - cover) * (kSamples - 1));
  std::nth_element(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(k), levels.end());
  return levels[k];
}

SurfaceKind landKind(double latDeg, double aridity) {
  if (latDeg > 64.0 || latDeg < -60.0) return SurfaceKind::Ice;
  return aridity > 0.5 ? SurfaceKind::Desert : SurfaceKind::Vegetation;
}

// Clear-sky skin temperature (K): warm tropical seas, land heated by the Sun and cooling at night.
double surfaceTemperature(const SceneGround& g, double latDeg, double cosZenith) {
  const double warmth = std::pow(std::cos(latDeg * kRadPerDeg), 2);
  const double sunlit = std::max(cosZenith, 0.0);
  switch (g.kind) {
    case SurfaceKind::Sea:
      return 285.0 + 15.0 * warmth;
    case SurfaceKind::Ice:
      return 250.0 + 10.0 * sunlit;
    default:
      return 281.0 + 16.0 * warmth + (10.0 + 8.0 * g.aridity) * sunlit - (cosZenith > 0 ? 0 : 3.0);
  }
}

}  // namespace

Scene::Scene(const SceneOptions& options) : Scene(options, CoastlineSet::builtin()) {}

Scene::Scene(const SceneOptions& options, const CoastlineSet& land)
    : land_(land), options_(options), noise_(options.seed) {
  if (!(options.cloudSizeKm > 0) || !std::isfinite(options.cloudSizeKm))
    throw Error("The cloud size of a synthetic scene must be a positive number of kilometres");
  cloudThreshold_ =
      coverThreshold(noise_, kEarthRadiusKm / options.cloudSizeKm, options.cloudCover);
}

SceneGround Scene::ground(double latDeg, double lonDeg) const {
  const UnitVector p = unitVector(latDeg, lonDeg);
  const double scale = kEarthRadiusKm / options_.cloudSizeKm;
  SceneGround g;
  if (land_.isLand(latDeg, lonDeg)) {
    // Deserts in the subtropical belts, broken up by large-scale noise.
    const double belt = std::exp(-std::pow((std::abs(latDeg) - 24.0) / 10.0, 2));
    const double patch = noise_.at(p.x * 4 + kAridityOffset, p.y * 4, p.z * 4);
    g.aridity = std::clamp(belt * (0.2 + 1.3 * patch), 0.0, 1.0);
    g.kind = landKind(latDeg, g.aridity);
  }
  const double level = noise_.fractal(p.x * scale, p.y * scale, p.z * scale, kCloudOctaves);
  g.cloudFraction = smoothstep(cloudThreshold_ - 0.02, cloudThreshold_ + 0.02, level);
  if (g.cloudFraction > 0) {
    g.cloudThickness =
        noise_.at(p.x * scale * 2 + kThicknessOffset, p.y * scale * 2, p.z * scale * 2);
    g.cloudHeight = noise_.at(p.x * scale + kHeightOffset, p.y * scale, p.z * scale);
  }
  return g;
}

ToaValues Scene::at(const SunEphemeris& sun, double latDeg, double lonDeg,
                    double satelliteZenithDeg) const {
  const SceneGround g = ground(latDeg, lonDeg);
  const double cosZenith = cosSolarZenith(sun, latDeg, lonDeg);
  const double illumination = std::max(cosZenith, 0.0) / (sun.distanceAu * sun.distanceAu);
  const double f = g.cloudFraction;

  // Cloud optics: thick clouds brighter; high (ice) tops absorb more at 1.6 and 3.7 µm.
  const double cloudBright = 50.0 + 30.0 * g.cloudThickness;
  const std::array<double, 3> cloudReflectance{
      cloudBright, cloudBright * 0.97,
      (25.0 + 15.0 * g.cloudThickness) * (1.0 - 0.5 * g.cloudHeight)};
  const double cloud37 = 0.15 * (1.0 - 0.6 * g.cloudHeight);

  // The surface's own optics; land shades from vegetation to desert.
  std::array<double, 3> surface = optics(g.kind).reflectance;
  double surface37 = optics(g.kind).reflectance37;
  if (g.kind == SurfaceKind::Vegetation || g.kind == SurfaceKind::Desert) {
    const auto& veg = optics(SurfaceKind::Vegetation);
    const auto& desert = optics(SurfaceKind::Desert);
    for (int c = 0; c < 3; ++c)
      surface[c] = veg.reflectance[c] + g.aridity * (desert.reflectance[c] - veg.reflectance[c]);
    surface37 = veg.reflectance37 + g.aridity * (desert.reflectance37 - veg.reflectance37);
  }

  ToaValues out;
  for (int c = 0; c < 3; ++c)
    out.albedo[c] = ((1 - f) * surface[c] + f * cloudReflectance[c]) * illumination;

  // Water vapour cools channel 4 and channel 5 more, most in the humid tropics and along
  // slanted paths.
  const double zenith = std::clamp(satelliteZenithDeg, 0.0, 80.0) * kRadPerDeg;
  const double airMass = 1.0 / std::cos(zenith);
  const double humidity = std::pow(std::cos(latDeg * kRadPerDeg), 2);
  const double absorption = (0.6 + 2.4 * humidity) * (1.0 + 0.5 * (airMass - 1.0));
  const double skin = surfaceTemperature(g, latDeg, cosZenith);
  const double top = 260.0 - 40.0 * g.cloudHeight;
  const double thin = 1.0 - g.cloudThickness;

  const double clear4 = skin - absorption, clear5 = skin - 1.6 * absorption;
  const double cloud4 = top, cloud5 = top - 0.3 - 1.5 * thin;  // thin cirrus splits 4 and 5
  out.temperature[1] = (1 - f) * clear4 + f * cloud4;
  out.temperature[2] = (1 - f) * clear5 + f * cloud5;

  // 3B: emission plus the sunlight the scene reflects at 3.7 µm, mixed as radiances.
  const double solar37 = kSolarIrradiance37 * illumination / std::numbers::pi;
  const double clear3 = planck3b(skin - 0.7 * absorption) + surface37 * solar37;
  const double cloud3 = planck3b(top + 1.0 * thin) + cloud37 * solar37;
  out.temperature[0] = brightness3b((1 - f) * clear3 + f * cloud3);
  return out;
}

ToaValues Scene::at(UtcMs t, double latDeg, double lonDeg, double satelliteZenithDeg) const {
  return at(sunEphemeris(t), latDeg, lonDeg, satelliteZenithDeg);
}

}  // namespace kestrova::avhrr
