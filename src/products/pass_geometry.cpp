#include "products/pass_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "avhrr/geolocation/grid_interpolator.h"
#include "avhrr/geolocation/scan_geometry.h"
#include "avhrr/synthetic/solar_position.h"
#include "geo/coastline_set.h"
#include "products/open_sea_mask.h"
#include "products/scan_ground.h"

namespace kestrova::products {
namespace {

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();
constexpr double kDeg = std::numbers::pi / 180.0;

// Where a swath of the given angular half-width from the satellite ends on the ground tells the
// height: sin(scan + earth angle) = (R + h) / R * sin(scan).
double heightFromSwath(double scanRad, double earthRad) {
  return kEarthRadiusKm * (std::sin(scanRad + earthRad) / std::sin(scanRad) - 1.0);
}

double measuredHeightKm(const avhrr::Pass& pass, const avhrr::LocationGrid* grid) {
  if (grid == nullptr || grid->lines.empty()) return kNominalHeightKm;
  const avhrr::GridInterpolator interpolator(*grid);
  const double line = grid->lines[grid->lines.size() / 2];
  const double centre = nadirSample(pass.width);
  const avhrr::GeoPoint nadir = interpolator.at(line, centre);
  double sum = 0;
  int count = 0;
  for (int edge : {0, pass.width - 1}) {
    const avhrr::GeoPoint p = interpolator.at(line, edge);
    const double earth = avhrr::surfaceDistanceKm(nadir, p) / kEarthRadiusKm;
    const double scan = std::abs(avhrr::scanAngle(avhrr::scanPosition(pass.width, edge)));
    const double h = heightFromSwath(scan, earth);
    if (std::isfinite(h)) {
      sum += h;
      ++count;
    }
  }
  const double h = count > 0 ? sum / count : kNominalHeightKm;
  // Far from any AVHRR orbit: a broken grid, not a satellite; keep to the nominal height.
  return h > 500 && h < 1500 ? h : kNominalHeightKm;
}

}  // namespace

// Values at the grid's columns, every line of the pass: [line * columns + k].
struct PassGeometry::Nodes {
  std::vector<float> latitude, longitude, sunZenith, cosSunZenith;
  float south = 90, north = -90;
};

PassGeometry::PassGeometry(const avhrr::Pass& pass, const avhrr::LocationGrid* grid,
                           const CoastlineSet* land)
    : pass_(pass), grid_(grid), land_(land), heightKm_(measuredHeightKm(pass, grid)) {
  const int width = pass.width;
  satelliteZenith_.resize(static_cast<std::size_t>(width));
  satelliteSecant_.resize(static_cast<std::size_t>(width));
  for (int s = 0; s < width; ++s) {
    const double scan = avhrr::scanAngle(avhrr::scanPosition(width, s));
    const double zenith = satelliteZenithRad(scan, heightKm_);
    satelliteZenith_[static_cast<std::size_t>(s)] = static_cast<float>(zenith / kDeg);
    satelliteSecant_[static_cast<std::size_t>(s)] = static_cast<float>(1.0 / std::cos(zenith));
  }
  if (grid == nullptr || grid->samples.empty()) return;
  const auto& columns = grid->samples;
  column_.resize(static_cast<std::size_t>(width));
  weight_.resize(static_cast<std::size_t>(width));
  std::size_t k = 0;
  for (int s = 0; s < width; ++s) {
    while (k + 2 < columns.size() && s >= columns[k + 1]) ++k;
    const bool single = columns.size() == 1;
    column_[static_cast<std::size_t>(s)] = static_cast<std::uint32_t>(k);
    weight_[static_cast<std::size_t>(s)] =
        single
            ? 0.0f
            : static_cast<float>(s - columns[k]) / static_cast<float>(columns[k + 1] - columns[k]);
  }
}

PassGeometry::~PassGeometry() = default;

const PassGeometry::Nodes& PassGeometry::nodes() const {
  std::call_once(nodesOnce_, [this] {
    auto n = std::make_unique<Nodes>();
    const auto& grid = *grid_;
    const std::size_t columns = grid.samples.size();
    const std::size_t count = pass_.lines.size() * columns;
    n->latitude.resize(count);
    n->longitude.resize(count);
    n->sunZenith.resize(count);
    n->cosSunZenith.resize(count);
    const avhrr::GridInterpolator interpolator(grid);
    std::size_t gridLine = 0;
    for (std::size_t line = 0; line < pass_.lines.size(); ++line) {
      while (gridLine < grid.lines.size() && grid.lines[gridLine] < static_cast<int>(line))
        ++gridLine;
      const bool onGrid =
          gridLine < grid.lines.size() && grid.lines[gridLine] == static_cast<int>(line);
      const auto sun = avhrr::sunEphemeris(pass_.lines[line].time);
      for (std::size_t k = 0; k < columns; ++k) {
        const avhrr::GeoPoint p = onGrid
                                      ? grid.at(gridLine, k)
                                      : interpolator.at(static_cast<double>(line), grid.samples[k]);
        const std::size_t i = line * columns + k;
        n->latitude[i] = static_cast<float>(p.latitude);
        n->longitude[i] = static_cast<float>(p.longitude);
        const double cosZenith =
            std::clamp(avhrr::cosSolarZenith(sun, p.latitude, p.longitude), -1.0, 1.0);
        n->sunZenith[i] = static_cast<float>(std::acos(cosZenith) / kDeg);
        n->cosSunZenith[i] = static_cast<float>(cosZenith);
        if (std::isfinite(p.latitude)) {
          n->south = std::min(n->south, n->latitude[i]);
          n->north = std::max(n->north, n->latitude[i]);
        }
      }
    }
    nodes_ = std::move(n);
  });
  return *nodes_;
}

const OpenSeaMask& PassGeometry::sea() const {
  std::call_once(seaOnce_, [this] {
    const Nodes& n = nodes();
    // A cell of margin beyond the outermost grid columns, which the edges extrapolate past.
    const CoastlineSet& land = land_ != nullptr ? *land_ : CoastlineSet::builtin();
    sea_ = std::make_unique<OpenSeaMask>(land, n.south - 0.5, n.north + 0.5);
  });
  return *sea_;
}

void PassGeometry::interpolate(const std::vector<float>& nodeValues, int line,
                               std::span<float> out) const {
  const std::size_t columns = grid_->samples.size();
  const float* v = nodeValues.data() + static_cast<std::size_t>(line) * columns;
  const std::size_t n = std::min(out.size(), column_.size());
  const std::size_t last = columns > 1 ? 1 : 0;
  for (std::size_t s = 0; s < n; ++s) {
    const float a = v[column_[s]];
    out[s] = a + weight_[s] * (v[column_[s] + last] - a);
  }
}

void PassGeometry::sunZenithRow(int line, std::span<float> out) const {
  if (!located()) {
    std::fill(out.begin(), out.end(), kNoValue);
    return;
  }
  interpolate(nodes().sunZenith, line, out);
}

void PassGeometry::cosSunZenithRow(int line, std::span<float> out) const {
  if (!located()) {
    std::fill(out.begin(), out.end(), kNoValue);
    return;
  }
  interpolate(nodes().cosSunZenith, line, out);
}

void PassGeometry::positionRow(int line, std::span<float> latitude,
                               std::span<float> longitude) const {
  if (!located()) {
    std::fill(latitude.begin(), latitude.end(), kNoValue);
    std::fill(longitude.begin(), longitude.end(), kNoValue);
    return;
  }
  const Nodes& n = nodes();
  interpolate(n.latitude, line, latitude);
  // Longitudes jump at 180°: interpolate each step the short way round, then wrap.
  const std::size_t columns = grid_->samples.size();
  const float* v = n.longitude.data() + static_cast<std::size_t>(line) * columns;
  const std::size_t last = columns > 1 ? 1 : 0;
  const std::size_t count = std::min(longitude.size(), column_.size());
  for (std::size_t s = 0; s < count; ++s) {
    const float a = v[column_[s]];
    float step = v[column_[s] + last] - a;
    step += step > 180.0f ? -360.0f : step < -180.0f ? 360.0f : 0.0f;
    float lon = a + weight_[s] * step;
    lon += lon > 180.0f ? -360.0f : lon < -180.0f ? 360.0f : 0.0f;
    longitude[s] = lon;
  }
}

void PassGeometry::openSeaRow(int line, std::span<std::uint8_t> out) const {
  if (!located()) {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    return;
  }
  const OpenSeaMask& mask = sea();
  std::vector<float> lat(out.size()), lon(out.size());
  positionRow(line, lat, lon);
  for (std::size_t s = 0; s < out.size(); ++s) out[s] = mask.isOpenSea(lat[s], lon[s]) ? 1 : 0;
}

}  // namespace kestrova::products
