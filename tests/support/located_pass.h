// A synthetic NOAA-19 pass ready for the picture products: counts from the synthetic scene, its
// calibration, and every line located from the orbit. Shared by the products' tests, benchmark
// and contact sheet, so all of them look at the same passes.
#pragma once

#include <memory>
#include <string_view>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/geolocation/location_grid.h"
#include "avhrr/geolocation/orbit_geolocator.h"
#include "avhrr/orbit/element_sets.h"
#include "avhrr/orbit/sgp4.h"
#include "avhrr/synthetic/synthetic_pass.h"
#include "support/test_elements.h"

namespace kestrova::testing {

// Northbound in the early afternoon, one orbit before the epoch's (25° further east): over the
// Indian Ocean, with the Horn of Africa and Arabia at the western edge.
inline constexpr double kDayMinutes = -109.0;
// Half an orbit on: southbound at 2 a.m. local time.
inline constexpr double kNightMinutes = 47.0;

inline avhrr::SyntheticPassOptions noaa19Options(double minutesAfterEpoch, double seconds) {
  avhrr::SyntheticPassOptions o;
  o.satellite = avhrr::satelliteByName("NOAA-19");
  o.elements = avhrr::parseElementSets(kNoaa19Elements, "test elements").front();
  o.start = o.elements.epochUtc() + static_cast<avhrr::UtcMs>(minutesAfterEpoch * 60'000);
  o.durationSeconds = seconds;
  return o;
}

struct LocatedPass {
  avhrr::Pass pass;
  std::unique_ptr<avhrr::PassCalibration> calibration;
  avhrr::LocationGrid grid;
};

// The pass is moved into the result before its calibration is made, so the reference holds.
inline std::unique_ptr<LocatedPass> locatedPass(const avhrr::SyntheticPassOptions& options) {
  auto out = std::make_unique<LocatedPass>();
  out->pass = avhrr::makeSyntheticPass(options);
  out->calibration = std::make_unique<avhrr::PassCalibration>(out->pass);
  const avhrr::Sgp4 orbit(options.elements);
  const avhrr::OrbitGeolocator geolocator(orbit, options.pointing);
  out->grid = avhrr::locateFromOrbit(out->pass, geolocator, avhrr::kOrbitGridLineStep,
                                     avhrr::kOrbitGridSampleStep);
  return out;
}

}  // namespace kestrova::testing
