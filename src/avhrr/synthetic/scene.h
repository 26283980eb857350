// A synthetic Earth as the AVHRR would see it: land and sea from the coastline set's mask, a few
// clouds from seeded smooth noise, day and night from the Sun. Each pixel yields the five
// channels' top-of-atmosphere values, from which a writer derives counts by inverse calibration.
#pragma once

#include <array>
#include <cstdint>

#include "avhrr/synthetic/smooth_noise.h"
#include "avhrr/synthetic/solar_position.h"
#include "avhrr/utc_time.h"

namespace kestrova {
class CoastlineSet;
}

namespace kestrova::avhrr {

struct SceneOptions {
  std::uint64_t seed = 1;
  double cloudCover = 0.3;   // share of the globe under cloud, 0..1
  double cloudSizeKm = 600;  // typical width of a cloud system
};

enum class SurfaceKind { Sea, Vegetation, Desert, Ice };

// What a pixel shows before any cloud, and how much cloud covers it.
struct SceneGround {
  SurfaceKind kind = SurfaceKind::Sea;
  double aridity = 0;         // 0 vegetation .. 1 desert, on land
  double cloudFraction = 0;   // 0..1
  double cloudThickness = 0;  // 0..1: brightness of the cloud
  double cloudHeight = 0;     // 0..1: 1 the coldest tops
};

// Top-of-atmosphere values of one pixel: channels 1, 2 and 3A as percent albedo (the quantity
// the reflective calibration yields: reflectance factor x cos(solar zenith) / d^2, so 0 at
// night) and channels 3B, 4 and 5 as brightness temperatures in kelvin.
struct ToaValues {
  std::array<double, 3> albedo{};       // 1, 2, 3A
  std::array<double, 3> temperature{};  // 3B, 4, 5
};

class Scene {
 public:
  explicit Scene(const SceneOptions& options);
  Scene(const SceneOptions& options, const CoastlineSet& land);

  // satelliteZenithDeg lengthens the path through the atmosphere (colder, larger 4-5 split).
  ToaValues at(const SunEphemeris& sun, double latDeg, double lonDeg,
               double satelliteZenithDeg = 0) const;
  ToaValues at(UtcMs t, double latDeg, double lonDeg, double satelliteZenithDeg = 0) const;

  SceneGround ground(double latDeg, double lonDeg) const;

 private:
  const CoastlineSet& land_;
  SceneOptions options_;
  SmoothNoise noise_;
  double cloudThreshold_ = 0.5;  // noise level above which the sky is cloudy
};

}  // namespace kestrova::avhrr
