// The User-RGB recipe: what it accepts, where it says a bad one goes wrong, and what it computes.
#include "products/rgb_recipe.h"

#include <gtest/gtest.h>

#include <cmath>

#include "products/recipe_evaluator.h"

namespace kestrova::products {
namespace {

// Runs a recipe over one row of four pixels; inputs c1..c5, sunz, satz.
std::vector<std::uint8_t> evaluate(std::string_view text,
                                   const std::array<std::vector<float>, 7>& inputs) {
  const RgbRecipe recipe = parseRgbRecipe(text);
  RecipeEvaluator evaluator(recipe, 4);
  std::array<std::span<const float>, kRecipeInputCount> rows{};
  for (std::size_t k = 0; k < 7; ++k) rows[k] = inputs[k];
  std::vector<std::uint8_t> rgb(12);
  evaluator.row(rows, rgb.data());
  return rgb;
}

TEST(RgbRecipe, ComputesEachColourFromTheChannelsAndAngles) {
  const float nan = std::nanf("");
  std::array<std::vector<float>, 7> in;
  in[0] = {0, 25, 100, nan};     // c1, %
  in[1] = {50, 50, 50, 50};      // c2
  in[3] = {300, 250, 200, 260};  // c4, K
  in[5] = {30, 60, 90, 0};       // sunz
  in[2] = in[4] = in[6] = {};
  const auto rgb = evaluate(
      "# channel 1 through a square root, as the grey products do\n"
      "\n"
      "R = sqrt(c1 / 100)\n"
      "G=clamp((300 - c4) / 100, 0, 1) # cold is bright\r\n"
      "   B = -(-pow(2, 3) + min(sunz, 45) / 45 * 8) / 8 + 0.5\n",
      in);
  // R: sqrt of albedo/100; NaN black.
  EXPECT_EQ(rgb[0], 0);
  EXPECT_EQ(rgb[3], 128);
  EXPECT_EQ(rgb[6], 255);
  EXPECT_EQ(rgb[9], 0);
  // G: clamped both ways.
  EXPECT_EQ(rgb[1], 0);
  EXPECT_EQ(rgb[4], 128);
  EXPECT_EQ(rgb[7], 255);
  EXPECT_EQ(rgb[10], 102);
  // B: unary minus, pow, min, precedence: 1 - min(sunz, 45) / 45 + 0.5, clamped to 1.
  EXPECT_NEAR(rgb[2], 213, 1);
  EXPECT_EQ(rgb[5], 128);
  EXPECT_EQ(rgb[8], 128);
  EXPECT_EQ(rgb[11], 255);
}

TEST(RgbRecipe, EveryErrorNamesItsLineAndColumn) {
  struct Case {
    std::string text;
    int line, column;
    std::string_view says;
  };
  for (const Case& c : {
           Case{"R = c1\nG = c6\nB = c4", 2, 5, "unknown name 'c6'"},
           Case{"R = c1\nG = c2\n  B = (c4 + 1", 3, 14, "expected ')'"},
           Case{"R = c1\nG = c2\nB c4", 3, 3, "expected '='"},
           Case{"X = c1\nG = c2\nB = c4", 1, 1, "expected R, G or B"},
           Case{"R = c1\nG = c2 c3\nB = c4", 2, 8, "unexpected 'c'"},
           Case{"R = c1 *\nG = c2\nB = c4", 1, 9, "expected a value at the end of the line"},
           Case{"R = c1\nG = c2\nB = c4\nR = c2", 4, 1, "R is already defined on line 1"},
           Case{"R = c1\nB = c4\n", 3, 1, "no line defines G"},
           Case{"R = clamp(c1, 0)\nG = c2\nB = c4", 1, 16, "3 arguments"},
           Case{"R = sqrt c1\nG = c2\nB = c4", 1, 10, "'(' after the function name"},
           Case{"R = 1e99\nG = c2\nB = c4", 1, 5, "not a usable number"},
           Case{"R = 2x\nG = c2\nB = c4", 1, 6, "not a usable number"},
           Case{"R = c1 % 2\nG = c2\nB = c4", 1, 8, "unexpected '%'"},
           Case{"R = " + std::string(100, '(') + "1" + std::string(100, ')') + "\nG=1\nB=1", 1, 70,
                "nested too deeply"},
       }) {
    try {
      parseRgbRecipe(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const RecipeError& e) {
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_EQ(e.column(), c.column) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("line " + std::to_string(c.line) + ", column " +
                                           std::to_string(c.column)),
                std::string::npos)
          << e.what();
    }
  }
}

TEST(RgbRecipe, KnowsWhichInputsItReadsWhateverTheEditorSaved) {
  const RgbRecipe recipe = parseRgbRecipe("\xEF\xBB\xBFR = C3 * 2\r\nG = SATZ\r\nb = max(c1, 1)");
  EXPECT_TRUE(recipe.uses(RecipeInput::C3));
  EXPECT_TRUE(recipe.uses(RecipeInput::SatZenith));
  EXPECT_TRUE(recipe.uses(RecipeInput::C1));
  EXPECT_FALSE(recipe.uses(RecipeInput::C2));
  EXPECT_FALSE(recipe.uses(RecipeInput::SunZenith));
}

}  // namespace
}  // namespace kestrova::products
