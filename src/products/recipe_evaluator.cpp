#include "products/recipe_evaluator.h"

#include <algorithm>
#include <cmath>

namespace kestrova::products {
namespace {

using Op = RecipeStep::Op;

// NaN in either operand gives NaN, so a missing value stays black through min and max.
inline float minimum(float a, float b) {
  return (a != a || a < b) ? a : b;
}
inline float maximum(float a, float b) {
  return (a != a || a > b) ? a : b;
}

template <typename F>
void binary(float* a, const float* b, std::size_t n, F f) {
  for (std::size_t i = 0; i < n; ++i) a[i] = f(a[i], b[i]);
}

}  // namespace

RecipeEvaluator::RecipeEvaluator(const RgbRecipe& recipe, int width)
    : recipe_(recipe), width_(static_cast<std::size_t>(width)) {
  int depth = 1;
  for (const auto& p : recipe.colours) depth = std::max(depth, p.depth);
  stack_.resize(static_cast<std::size_t>(depth) * width_);
}

void RecipeEvaluator::run(const RecipeProgram& program,
                          const std::array<std::span<const float>, kRecipeInputCount>& inputs) {
  const std::size_t n = width_;
  float* top = stack_.data() - n;  // the row on top of the stack
  for (const RecipeStep& step : program.steps) {
    switch (step.op) {
      case Op::Number:
        top += n;
        std::fill_n(top, n, step.number);
        break;
      case Op::Input: {
        top += n;
        const auto in = inputs[static_cast<std::size_t>(step.input)];
        if (in.size() >= n)
          std::copy_n(in.data(), n, top);
        else
          std::fill_n(top, n, std::nanf(""));
        break;
      }
      case Op::Negate:
        for (std::size_t i = 0; i < n; ++i) top[i] = -top[i];
        break;
      case Op::Sqrt:
        for (std::size_t i = 0; i < n; ++i) top[i] = std::sqrt(top[i]);
        break;
      case Op::Clamp:
        top -= 2 * n;
        for (std::size_t i = 0; i < n; ++i)
          top[i] = minimum(maximum(top[i], top[n + i]), top[2 * n + i]);
        break;
      default: {
        top -= n;
        float* a = top;
        const float* b = top + n;
        switch (step.op) {
          case Op::Add:
            binary(a, b, n, [](float x, float y) { return x + y; });
            break;
          case Op::Subtract:
            binary(a, b, n, [](float x, float y) { return x - y; });
            break;
          case Op::Multiply:
            binary(a, b, n, [](float x, float y) { return x * y; });
            break;
          case Op::Divide:
            binary(a, b, n, [](float x, float y) { return x / y; });
            break;
          case Op::Min:
            binary(a, b, n, minimum);
            break;
          case Op::Max:
            binary(a, b, n, maximum);
            break;
          default:
            binary(a, b, n, [](float x, float y) { return std::pow(x, y); });
            break;
        }
      }
    }
  }
}

void RecipeEvaluator::row(const std::array<std::span<const float>, kRecipeInputCount>& inputs,
                          std::uint8_t* rgb) {
  for (int c = 0; c < 3; ++c) {
    run(recipe_.colours[static_cast<std::size_t>(c)], inputs);
    const float* v = stack_.data();
    for (std::size_t i = 0; i < width_; ++i) {
      const float scaled = v[i] * 255.0f + 0.5f;
      // The comparison is false for NaN, which therefore comes out black.
      rgb[3 * i + static_cast<std::size_t>(c)] =
          static_cast<std::uint8_t>(scaled > 0 ? std::min(scaled, 255.0f) : 0.0f);
    }
  }
}

}  // namespace kestrova::products
