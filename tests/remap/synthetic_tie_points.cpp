#include "remap/synthetic_tie_points.h"

#include <algorithm>
#include <cmath>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/geolocation/location_grid.h"
#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"

namespace kestrova::testing {
namespace {

using namespace kestrova::avhrr;

// tests/avhrr/peers/data/elements.tle: at the epoch, 21 June 2025 12:00 UTC, the satellite
// crosses the equator northbound at 30 E, 14:00 local time.
constexpr std::string_view kElements =
    "NOAA 19\n"
    "1 33591U 09005A   25172.50000000  .00000120  00000-0  88000-4 0  9990\n"
    "2 33591  99.1000 120.0000 0014000  90.0000 270.0000 14.12600000850005\n";

constexpr int kLineStep = 16, kSampleStep = 32;  // the tie grid of a raw pass

SyntheticPassOptions passOptions(const SwathRequest& request) {
  SyntheticPassOptions o;
  o.satellite = satelliteByName("NOAA-19");
  o.elements = parseElementSets(kElements, "test elements").front();
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
