#include "avhrr/geolocation/location_grid.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "avhrr/geolocation/element_age.h"
#include "base/error.h"

namespace kestrova::avhrr {
namespace {

std::vector<int> everyNth(int count, int step) {
  std::vector<int> out;
  for (int i = 0; i < count; i += step) out.push_back(i);
  if (out.back() != count - 1) out.push_back(count - 1);
  return out;
}

bool plausible(double lat, double lon) {
  return std::isfinite(lat) && std::isfinite(lon) && std::abs(lat) <= 90 && std::abs(lon) <= 180;
}

}  // namespace

double scanPosition(int width, double sample) {
  // A GAC sample averages four of every five full-resolution samples, starting at 5k.
  return width == kGacWidth ? 5.0 * sample + 1.5 : sample;
}

LocationGrid locateFromOrbit(const Pass& pass, const OrbitGeolocator& geolocator, int lineStep,
                             int sampleStep) {
  if (pass.lineCount() == 0 || pass.width <= 0) {
    throw Error(pass.dataSetName + ": no lines to locate");
  }
  requireElementsNear(geolocator.orbit().elements(), pass);
  LocationGrid grid;
  grid.width = pass.width;
  grid.lines = everyNth(pass.lineCount(), std::max(lineStep, 1));
  grid.samples = everyNth(pass.width, std::max(sampleStep, 1));
  std::vector<double> fullResolution;
  for (int s : grid.samples) fullResolution.push_back(scanPosition(pass.width, s));
  grid.points.resize(grid.lines.size() * grid.samples.size());
  for (std::size_t i = 0; i < grid.lines.size(); ++i) {
    geolocator.locateLine(
        pass.lines[static_cast<std::size_t>(grid.lines[i])].time, fullResolution,
        std::span(grid.points).subspan(i * grid.samples.size(), grid.samples.size()));
  }
  return grid;
}

LocationGrid gridFromTiePoints(const Pass& pass) {
  if (!pass.tiePoints) throw Error(pass.dataSetName + ": the file carries no tie points");
  const TiePoints& tp = *pass.tiePoints;
  const std::size_t width = tp.columns.size();
  const std::size_t lines = static_cast<std::size_t>(pass.lineCount());
  const bool ascending =
      std::is_sorted(tp.columns.begin(), tp.columns.end()) &&
      std::adjacent_find(tp.columns.begin(), tp.columns.end()) == tp.columns.end();
  if (width < 2 || !ascending || tp.columns.front() < 0 || tp.columns.back() >= pass.width ||
      tp.latitude.size() != lines * width || tp.longitude.size() != lines * width ||
      tp.lineValid.size() != lines) {
    throw Error(pass.dataSetName + ": the tie points do not fit the pass");
  }
  LocationGrid grid;
  grid.width = pass.width;
  grid.samples = tp.columns;
  for (std::size_t line = 0; line < lines; ++line) {
    bool valid = tp.lineValid[line];
    for (std::size_t k = 0; valid && k < width; ++k) {
      valid = plausible(tp.latitude[line * width + k], tp.longitude[line * width + k]);
    }
    if (!valid) continue;
    grid.lines.push_back(static_cast<int>(line));
    for (std::size_t k = 0; k < width; ++k) {
      grid.points.push_back({tp.latitude[line * width + k], tp.longitude[line * width + k]});
    }
  }
  if (grid.lines.empty()) throw Error(pass.dataSetName + ": no line has valid tie points");
  return grid;
}

}  // namespace kestrova::avhrr
