#include "products/pass_products.h"

namespace kestrova::products {

class PassGeometry {};

RecipeError::RecipeError(int line, int column, const std::string& what)
    : Error(what), line_(line), column_(column) {}

bool RgbRecipe::uses(RecipeInput) const {
  return false;
}
RgbRecipe parseRgbRecipe(std::string_view) {
  throw Error("not built yet");
}

PassProducts::PassProducts(const avhrr::Pass& pass, const avhrr::PassCalibration& calibration,
                           const avhrr::LocationGrid* grid, std::optional<RgbRecipe> recipe)
    : pass_(pass), calibration_(calibration), grid_(grid), recipe_(std::move(recipe)) {}
PassProducts::~PassProducts() = default;
Picture PassProducts::plain(const ProductChoice&) const {
  throw Error("not built yet");
}
Image PassProducts::corrected(const Image&) const {
  throw Error("not built yet");
}
Image quickLook(const Image&) {
  throw Error("not built yet");
}
void turn180(Image&) {
  throw Error("not built yet");
}

}  // namespace kestrova::products
