// Where each pixel of a pass lies and how the Sun and the satellite see it, as the products need
// it: computed once per pass, on first use, and only for what is asked for. Positions and Sun
// zenith angles are worked out exactly at the location grid's columns of every line, and
// interpolated linearly between them along the line (the grid's columns are close enough that
// the difference is far below a pixel and a tenth of a degree).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "avhrr/geolocation/location_grid.h"
#include "avhrr/pass.h"

namespace kestrova {
class CoastlineSet;
}

namespace kestrova::products {

class OpenSeaMask;

class PassGeometry {
 public:
  // grid may be null: then nothing is located, and the satellite flies at a nominal height.
  // Everything referenced must outlive this object. All members are safe to call from several
  // threads at once.
  // land: the land mask for openSeaRow, the built-in coastline set when null.
  PassGeometry(const avhrr::Pass& pass, const avhrr::LocationGrid* grid,
               const CoastlineSet* land = nullptr);
  ~PassGeometry();

  bool located() const { return grid_ != nullptr; }

  // The satellite's height above the ground (km): from the location grid, the swath's width
  // measured across the middle line, or nominal without one.
  double satelliteHeightKm() const { return heightKm_; }

  // Satellite zenith angle (degrees) of every sample of a line; the same on every line.
  std::span<const float> satelliteZenith() const { return satelliteZenith_; }

  std::span<const float> satelliteSecant() const { return satelliteSecant_; }

  // Sun zenith angle (degrees), or its cosine, of every sample of a line; NaN without positions.
  void sunZenithRow(int line, std::span<float> out) const;
  void cosSunZenithRow(int line, std::span<float> out) const;

  // Latitude and longitude (degrees) of every sample of a line; NaN without positions.
  void positionRow(int line, std::span<float> latitude, std::span<float> longitude) const;

  // 1 where a sample lies on sea at least one land-mask cell from any land, else 0 (also for
  // samples without a position).
  void openSeaRow(int line, std::span<std::uint8_t> out) const;

 private:
  struct Nodes;
  const Nodes& nodes() const;
  const OpenSeaMask& sea() const;
  void interpolate(const std::vector<float>& nodeValues, int line, std::span<float> out) const;

  const avhrr::Pass& pass_;
  const avhrr::LocationGrid* grid_;
  const CoastlineSet* land_;
  double heightKm_;
  std::vector<float> satelliteZenith_, satelliteSecant_;
  // Along a line: the grid column each sample interpolates from and its weight.
  std::vector<std::uint32_t> column_;
  std::vector<float> weight_;

  mutable std::once_flag nodesOnce_, seaOnce_;
  mutable std::unique_ptr<Nodes> nodes_;
  mutable std::unique_ptr<OpenSeaMask> sea_;
};

}  // namespace kestrova::products
