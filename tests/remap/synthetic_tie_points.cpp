#include "remap/synthetic_tie_points.h"

#include <algorithm>
#include <cmath>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/geolocation/location_grid.h"
#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"
#include "support/test_elements.h"

namespace kestrova::testing {
namespace {

using namespace kestrova::avhrr;

constexpr int kLineStep = 16, kSampleStep = 32;  // the tie grid of a raw pass

SyntheticPassOptions passOptions(const SwathRequest& request) {
  SyntheticPassOptions o;
  o.satellite = satelliteByName("NOAA-19");
  o.elements = parseElementSets(kestrova::testing::kNoaa19Elements, "test elements").front();
  const double minutes =
      (request.kind == SwathKind::SouthboundArctic ? 27 : 14) + request.minutesAfterStart;
  o.start = o.elements.epochUtc() + static_cast<UtcMs>(minutes * 60'000);
  o.durationSeconds = request.durationSeconds;
  o.cloudCover = 0;
  o.targetKelvin = 288;
  return o;
}

Image greyAlbedo(const Pass& pass) {
  const PassCalibration calibration(pass);
  const std::vector<float> albedo = calibration.calibrateSlot(1);
  Image picture = Image::blank(pass.width, pass.lineCount(), PixelFormat::Grey8);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const float a = albedo[static_cast<std::size_t>(y) * picture.width + x];
      picture.row(y)[x] =
          std::isnan(a) ? 0 : static_cast<std::uint8_t>(std::clamp(a * 255.0 / 60, 0.0, 255.0));
    }
  }
  return picture;
}

}  // namespace

SyntheticTiePoints syntheticTiePoints(const SwathRequest& request) {
  const SyntheticPassOptions options = passOptions(request);
  const Pass raw = makeSyntheticPass(options);
  const bool gac = request.kind == SwathKind::Gac;
  const Pass pass = gac ? syntheticLevel1b(raw, options, DataType::Gac) : raw;
  const LocationGrid located =
      gac ? gridFromTiePoints(pass)
          : locateFromOrbit(pass, OrbitGeolocator(Sgp4(options.elements), options.pointing),
                            kLineStep, kSampleStep);
  SyntheticTiePoints out;
  out.start = pass.lines.front().time;
  out.end = pass.lines.back().time;
  out.columns = located.samples;
  out.rows = located.lines;
  for (const GeoPoint& p : located.points) {
    out.latitude.push_back(p.latitude);
    out.longitude.push_back(p.longitude);
  }
  out.picture = greyAlbedo(pass);
  return out;
}

}  // namespace kestrova::testing
