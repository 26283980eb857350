// Runs a recipe's programs over whole rows: each step works on a row of values at once, so the
// inner loops are plain array arithmetic the compiler vectorises, with no dispatch per pixel.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "products/rgb_recipe.h"

namespace kestrova::products {

class RecipeEvaluator {
 public:
  RecipeEvaluator(const RgbRecipe& recipe, int width);

  // inputs: one row per RecipeInput (an empty span for an input the recipe does not read).
  // Writes R, G, B bytes per pixel: each result 0..1 to 0..255, clamped, NaN black.
  void row(const std::array<std::span<const float>, kRecipeInputCount>& inputs, std::uint8_t* rgb);

 private:
  void run(const RecipeProgram& program,
           const std::array<std::span<const float>, kRecipeInputCount>& inputs);

  const RgbRecipe& recipe_;
  std::size_t width_;
  std::vector<float> stack_;  // depth rows of width values
};

}  // namespace kestrova::products
