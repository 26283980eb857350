// The twelve pictures of a calibrated pass (indexes as in settings/product_table.h), and the
// corrected and quick-look forms derived from any of them.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/geolocation/location_grid.h"
#include "avhrr/pass.h"
#include "imaging/image.h"
#include "products/rgb_recipe.h"

namespace kestrova::products {

struct ProductChoice {
  int product = 5;                  // index 0..11 of the product table
  std::array<int, 3> rgb{1, 2, 4};  // channels of the RGB product (6), each 1..5
};

// One product, full resolution: a row per line of the pass, lines in time order.
struct Picture {
  Image image;                     // Grey8 or Rgb888
  std::vector<std::string> notes;  // what a user should be told about this picture
};

class PassGeometry;
class PanoramaCorrection;

class PassProducts {
 public:
  // grid may be null (a raw HRPT pass without orbital elements): products that need positions or
  // Sun angles fall back and say so in their notes. recipe: the User-RGB recipe, or nullopt for
  // the built-in natural colour. The pass, calibration and grid must outlive this object.
  PassProducts(const avhrr::Pass& pass, const avhrr::PassCalibration& calibration,
               const avhrr::LocationGrid* grid, std::optional<RgbRecipe> recipe);
  ~PassProducts();
  PassProducts(const PassProducts&) = delete;
  PassProducts& operator=(const PassProducts&) = delete;

  // Thread-safe: two products may be made at once from two threads.
  Picture plain(const ProductChoice& choice) const;

  // Several products in one sweep over the pass, each channel calibrated once a line for all of
  // them: the same pictures as plain() one by one, in the order asked, in less time but with
  // all of them in memory at once. Thread-safe too.
  std::vector<Picture> plainAll(std::span<const ProductChoice> choices) const;

  // The scan's panoramic distortion removed, from a plain picture of this pass.
  Image corrected(const Image& plain) const;

 private:
  const avhrr::Pass& pass_;
  const avhrr::PassCalibration& calibration_;
  std::optional<RgbRecipe> recipe_;
  std::unique_ptr<PassGeometry> geometry_;
  std::unique_ptr<PanoramaCorrection> correction_;
};

// Box-averaged to at most 512 samples wide, by the same whole factor in both directions.
Image quickLook(const Image& picture);

// Turns the picture by 180 degrees in place (north up for a northbound pass).
void turn180(Image& picture);

}  // namespace kestrova::products
