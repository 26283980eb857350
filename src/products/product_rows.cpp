#include "products/product_rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "products/product_scales.h"

namespace kestrova::products {
namespace {

using avhrr::Unit;

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

void grey(const LineInputs& in, int channel, std::uint8_t* out, std::size_t step) {
  const std::uint8_t* tone = in.tone[static_cast<std::size_t>(channel - 1)];
  if (step == 1) {
    std::copy_n(tone, in.width, out);
  } else {
    for (std::size_t i = 0; i < in.width; ++i) out[i * step] = tone[i];
  }
}

template <int Channel>
void singleChannel(RowContext&, const LineInputs& in, std::uint8_t* out) {
  grey(in, Channel, out, 1);
}

// Day: R = G = channel 2, B = channel 1; night: the inverted channel 4 in all three; a linear
// blend across the terminator, between Sun zenith 85° and 95°.
void falseColour(RowContext& ctx, const LineInputs& in, std::uint8_t* out) {
  const std::size_t n = in.width;
  std::uint8_t* day = out;  // the day picture first goes to the output...
  grey(in, 2, day, 3);
  grey(in, 2, day + 1, 3);
  grey(in, 1, day + 2, 3);
  std::uint8_t* nightTone = ctx.tones.data();  // ...the night tone aside
  grey(in, 4, nightTone, 1);
  // Most lines lie wholly on one side of the terminator.
  const auto [low, high] = std::minmax_element(in.sunZenith, in.sunZenith + n);
  if (*high < Scales::kDayZenith) return;
  if (*low > Scales::kNightZenith) {
    for (std::size_t i = 0; i < n; ++i) day[3 * i] = day[3 * i + 1] = day[3 * i + 2] = nightTone[i];
    return;
  }
  constexpr float span = Scales::kNightZenith - Scales::kDayZenith;
  for (std::size_t i = 0; i < n; ++i) {
    const float t = std::clamp((in.sunZenith[i] - Scales::kDayZenith) / span, 0.0f, 1.0f);
    const float w = std::isnan(in.sunZenith[i]) ? 0.0f : t;
    const float d2 = day[3 * i], d1 = day[3 * i + 2], nt = nightTone[i];
    const auto mix = [w, nt](float d) {
      return static_cast<std::uint8_t>(d + w * (nt - d) + 0.5f);
    };
    day[3 * i] = day[3 * i + 1] = mix(d2);
    day[3 * i + 2] = mix(d1);
  }
}

void chosenRgb(RowContext& ctx, const LineInputs& in, std::uint8_t* out) {
  for (int c = 0; c < 3; ++c) grey(in, ctx.choice.rgb[static_cast<std::size_t>(c)], out + c, 3);
}

// Built in: 3A, 2, 1 where channel 3 is 3A; 2, 2, 1 where it is 3B.
void naturalColour(const LineInputs& in, std::uint8_t* out) {
  grey(in, in.channel3A ? 3 : 2, out, 3);
  grey(in, 2, out + 1, 3);
  grey(in, 1, out + 2, 3);
}

void userRgb(RowContext& ctx, const LineInputs& in, std::uint8_t* out) {
  if (!ctx.evaluator) return naturalColour(in, out);
  std::array<std::span<const float>, kRecipeInputCount> inputs{};
  for (std::size_t c = 0; c < 5; ++c)
    if (in.channel[c] != nullptr) inputs[c] = {in.channel[c], in.width};
  if (in.sunZenith != nullptr) inputs[5] = {in.sunZenith, in.width};
  if (in.satZenith != nullptr) inputs[6] = {in.satZenith, in.width};
  ctx.evaluator->row(inputs, out);
}

// Calibrated kelvin only; a line left in counts has no temperature.
const float* kelvin(const LineInputs& in, int channel) {
  const auto c = static_cast<std::size_t>(channel - 1);
  return in.unit[c] == Unit::Kelvin ? in.channel[c] : nullptr;
}

void temperature(RowContext& ctx, const LineInputs& in, std::uint8_t* out) {
  const float* t4 = kelvin(in, 4);
  for (std::size_t i = 0; i < in.width; ++i)
    ctx.scratch[i] = t4 != nullptr ? t4[i] - 273.15f : kNoValue;
  Scales::temperature().apply(ctx.scratch.data(), in.width, out);
}

void seaSurface(RowContext& ctx, const LineInputs& in, std::uint8_t* out) {
  const float* t4 = kelvin(in, 4);
  const float* t5 = kelvin(in, 5);
  if (t4 == nullptr || t5 == nullptr) return;  // black: no temperatures on this line
  const SeaSurfaceInputs inputs{t4, t5, in.channel[1], in.cosSunZenith, in.satSecant, in.openSea};
  seaSurfaceRow(ctx.sst, inputs, in.width, ctx.scratch.data(), ctx.classes.data());
  const Palette& palette = Scales::seaSurface();
  for (std::size_t i = 0; i < in.width; ++i) {
    static constexpr std::array<std::uint8_t, 3> kBlack{};
    const std::array<std::uint8_t, 3>* colour = &kBlack;
    switch (ctx.classes[i]) {
      case SeaSurfaceClass::Land:
        colour = &Scales::kLandTone;
        break;
      case SeaSurfaceClass::Cloud:
        colour = &Scales::kCloudTone;
        break;
      case SeaSurfaceClass::ClearSea:
        if (!std::isnan(ctx.scratch[i])) colour = &palette.colour(ctx.scratch[i]);
        break;
      case SeaSurfaceClass::NoData:
        break;
    }
    std::copy_n(colour->data(), 3, out + 3 * i);
  }
}

// (c2 - c1) / (c2 + c1) from albedos where the Sun stands above 10°; night grey elsewhere.
void vegetation(RowContext& ctx, const LineInputs& in, std::uint8_t* out) {
  const bool albedo = in.unit[0] == Unit::AlbedoPercent && in.unit[1] == Unit::AlbedoPercent;
  const float* c1 = in.channel[0];
  const float* c2 = in.channel[1];
  constexpr float kLowestSunZenith = 90.0f - Scales::kVegetationSunElevation;
  for (std::size_t i = 0; i < in.width; ++i)
    ctx.scratch[i] = albedo ? (c2[i] - c1[i]) / (c2[i] + c1[i]) : kNoValue;
  Scales::vegetation().apply(ctx.scratch.data(), in.width, out);
  for (std::size_t i = 0; i < in.width; ++i) {
    const bool lit = in.sunZenith[i] < kLowestSunZenith;
    const bool value = !std::isnan(c1[i]) && !std::isnan(c2[i]);
    if (!lit && value) std::copy_n(Scales::kNightGrey.data(), 3, out + 3 * i);
  }
}

void splitWindow(RowContext& ctx, const LineInputs& in, std::uint8_t* out) {
  const float* t4 = kelvin(in, 4);
  const float* t5 = kelvin(in, 5);
  for (std::size_t i = 0; i < in.width; ++i)
    ctx.scratch[i] = t4 != nullptr && t5 != nullptr ? t4[i] - t5[i] : kNoValue;
  rampRow(ctx.scratch.data(), in.width, Scales::kSplitWindow, out, 1);
}

constexpr ProductKind kKinds[] = {
    {PixelFormat::Grey8, singleChannel<1>}, {PixelFormat::Grey8, singleChannel<2>},
    {PixelFormat::Grey8, singleChannel<3>}, {PixelFormat::Grey8, singleChannel<4>},
    {PixelFormat::Grey8, singleChannel<5>}, {PixelFormat::Rgb888, falseColour},
    {PixelFormat::Rgb888, chosenRgb},       {PixelFormat::Rgb888, userRgb},
    {PixelFormat::Rgb888, temperature},     {PixelFormat::Rgb888, seaSurface},
    {PixelFormat::Rgb888, vegetation},      {PixelFormat::Grey8, splitWindow},
};

// Channels (bit c-1 for channel c) and angles of each product with fixed inputs.
struct FixedNeeds {
  unsigned channels;
  bool sun, sat, sea;
};
constexpr FixedNeeds kNeeds[] = {
    {0b00001, false, false, false}, {0b00010, false, false, false}, {0b00100, false, false, false},
    {0b01000, false, false, false}, {0b10000, false, false, false}, {0b01011, true, false, false},
    {0, false, false, false},       {0b00111, false, false, false}, {0b01000, false, false, false},
    {0b11010, false, true, true},   {0b00011, true, false, false},  {0b11000, false, false, false},
};

}  // namespace

const ProductKind& productKind(int product) {
  return kKinds[product];
}

ProductNeeds productNeeds(int product, const ProductChoice& choice, const RgbRecipe* recipe) {
  const FixedNeeds& fixed = kNeeds[product];
  ProductNeeds needs;
  for (std::size_t c = 0; c < 5; ++c) needs.channels[c] = (fixed.channels >> c) & 1;
  needs.sunZenith = fixed.sun;
  needs.satZenith = fixed.sat;
  needs.tones = product <= kUserRgbIndex;
  needs.cosSunZenith = product == kSeaSurfaceIndex;
  needs.openSea = fixed.sea;
  if (product == kRgbIndex)
    for (int c : choice.rgb) needs.channels[static_cast<std::size_t>(c - 1)] = true;
  if (product == kUserRgbIndex && recipe != nullptr) {
    for (std::size_t c = 0; c < 5; ++c)
      needs.channels[c] = recipe->uses(static_cast<RecipeInput>(c));
    needs.sunZenith = recipe->uses(RecipeInput::SunZenith);
    needs.satZenith = recipe->uses(RecipeInput::SatZenith);
  }
  return needs;
}

}  // namespace kestrova::products
