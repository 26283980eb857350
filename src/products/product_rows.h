// The twelve products, one line at a time. Each row function reads the line's inputs and writes
// one row of the picture; the table ties each product index to its function, its format and
// what it reads.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "products/line_inputs.h"
#include "products/pass_products.h"
#include "products/recipe_evaluator.h"
#include "products/sea_surface.h"

namespace kestrova::products {

// Product indexes whose rows take more than the pass (see the product table in settings).
constexpr int kFalseColourIndex = 5;
constexpr int kRgbIndex = 6;
constexpr int kUserRgbIndex = 7;
constexpr int kSeaSurfaceIndex = 9;
constexpr int kVegetationIndex = 10;
constexpr int kProductKinds = 12;

// Settings and scratch space of one picture in the making (one per call, so calls may run on
// several threads at once).
struct RowContext {
  ProductChoice choice;
  const RgbRecipe* recipe = nullptr;  // User-RGB; null for the built-in natural colour
  std::optional<RecipeEvaluator> evaluator;
  const SstCoefficients* sst = nullptr;
  std::vector<float> scratch;       // width values
  std::vector<std::uint8_t> tones;  // width tones
  std::vector<SeaSurfaceClass> classes;
};

using RowFunction = void (*)(RowContext&, const LineInputs&, std::uint8_t*);

struct ProductKind {
  PixelFormat format;
  RowFunction row;
};

const ProductKind& productKind(int product);  // product checked by the caller, 0..11

// What a product reads, given the choices that shape it.
ProductNeeds productNeeds(int product, const ProductChoice& choice, const RgbRecipe* recipe);

}  // namespace kestrova::products
