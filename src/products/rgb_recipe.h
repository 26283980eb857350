// The User-RGB recipe: three expressions, one for each colour, over the calibrated channels and
// the two zenith angles. Parsed once into small stack programs that run a whole row at a time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"

namespace kestrova::products {

// A recipe that cannot be read; the message names the line and column (both from 1).
class RecipeError : public Error {
 public:
  RecipeError(int line, int column, const std::string& what);
  int line() const { return line_; }
  int column() const { return column_; }

 private:
  int line_;
  int column_;
};

// What a recipe reads for each pixel: c1..c5 (percent albedo or kelvin, channel 3 as the line
// has it), then the solar and satellite zenith angles in degrees.
enum class RecipeInput : std::uint8_t { C1, C2, C3, C4, C5, SunZenith, SatZenith };
constexpr int kRecipeInputCount = 7;

// One step of a postfix program.
struct RecipeStep {
  enum class Op : std::uint8_t {
    Number,
    Input,
    Negate,
    Add,
    Subtract,
    Multiply,
    Divide,
    Min,
    Max,
    Clamp,
    Sqrt,
    Pow
  };
  Op op = Op::Number;
  float number = 0;                     // Number
  RecipeInput input = RecipeInput::C1;  // Input
};

struct RecipeProgram {
  std::vector<RecipeStep> steps;
  int depth = 0;  // the deepest the value stack goes
};

struct RgbRecipe {
  std::array<RecipeProgram, 3> colours;  // R, G, B

  bool uses(RecipeInput input) const;
};

// Throws RecipeError.
RgbRecipe parseRgbRecipe(std::string_view text);

}  // namespace kestrova::products
