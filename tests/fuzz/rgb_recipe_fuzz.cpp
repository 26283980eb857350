// Any bytes as a User-RGB recipe: the parser must end in a recipe or a RecipeError with a line
// and column inside the text, never crash or hang; an accepted recipe must run over a row.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "products/recipe_evaluator.h"
#include "products/rgb_recipe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova::products;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RgbRecipe recipe;
  try {
    recipe = parseRgbRecipe(text);
  } catch (const RecipeError& e) {
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    if (e.line() < 1 || e.line() > lines || e.column() < 1 ||
        static_cast<std::size_t>(e.column()) > size + 1)
      std::abort();
    return 0;
  }
  // Values a pass holds, with the awkward ones: zero, negative, NaN and huge.
  constexpr int kWidth = 6;
  static const std::vector<float> row{0.0f, -3.5f, 12.0f, std::nanf(""), 3e38f, 290.0f};
  std::array<std::span<const float>, kRecipeInputCount> inputs;
  inputs.fill(row);
  RecipeEvaluator evaluator(recipe, kWidth);
  std::uint8_t rgb[3 * kWidth];
  evaluator.row(inputs, rgb);
  return 0;
}
