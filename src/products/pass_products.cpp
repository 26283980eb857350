#include "products/pass_products.h"

#include <cmath>
#include <string>

#include "base/error.h"
#include "products/panorama_correction.h"
#include "products/pass_geometry.h"
#include "products/product_rows.h"
#include "products/product_scales.h"

namespace kestrova::products {
namespace {

// Without positions, a line counts as day when its channel 2 shows more than this mean albedo
// (percent): the night side reads near zero, any lit scene well above.
constexpr double kLitLineAlbedo = 1.0;

std::string rgbText(const std::array<int, 3>& rgb) {
  return "R" + std::to_string(rgb[0]) + "G" + std::to_string(rgb[1]) + "B" + std::to_string(rgb[2]);
}

void checkChoice(const ProductChoice& choice) {
  if (choice.product < 0 || choice.product >= kProductKinds)
    throw Error("There is no product " + std::to_string(choice.product) + " (products are 0-11)");
  if (choice.product != kRgbIndex) return;
  for (int c : choice.rgb)
    if (c < 1 || c > 5)
      throw Error("The RGB choice " + rgbText(choice.rgb) + " names channel " + std::to_string(c) +
                  "; channels are 1-5");
}

// A stand-in Sun zenith for a line of a pass without positions: overhead when channel 2 is lit.
void sunFromBrightness(const LineInputs& in, std::span<float> sun) {
  double sum = 0;
  std::size_t count = 0;
  if (in.unit[1] == avhrr::Unit::AlbedoPercent) {
    for (std::size_t i = 0; i < in.width; ++i) {
      if (!std::isnan(in.channel[1][i])) {
        sum += in.channel[1][i];
        ++count;
      }
    }
  }
  const bool lit = count > 0 && sum / static_cast<double>(count) > kLitLineAlbedo;
  std::fill(sun.begin(), sun.end(), lit ? 0.0f : 180.0f);
}

std::vector<std::string> notesFor(const ProductChoice& choice, const ProductNeeds& needs,
                                  bool located, const RowContext& ctx, const avhrr::Pass& pass) {
  std::vector<std::string> notes;
  const int p = choice.product;
  if (!located && (p == kFalseColourIndex || p == kVegetationIndex))
    notes.push_back(
        "No positions for this pass: day and night are judged line by line from channel 2");
  if (!located && p == kUserRgbIndex && needs.sunZenith)
    notes.push_back(
        "No positions for this pass: the recipe's sunz is unknown, so what depends on it is black");
  if (!located && p == kSeaSurfaceIndex)
    notes.push_back(
        "No positions for this pass: without the land mask there is no sea-surface temperature; "
        "the picture shows cloud only");
  if (p == kSeaSurfaceIndex && ctx.sst == nullptr) {
    const std::string name = pass.satellite != nullptr ? std::string(pass.satellite->name)
                                                       : std::string("this satellite");
    notes.push_back("No SST coefficients for " + name + ": the picture shows land and cloud only");
  }
  return notes;
}

}  // namespace

PassProducts::PassProducts(const avhrr::Pass& pass, const avhrr::PassCalibration& calibration,
                           const avhrr::LocationGrid* grid, std::optional<RgbRecipe> recipe)
    : pass_(pass),
      calibration_(calibration),
      recipe_(std::move(recipe)),
      geometry_(std::make_unique<PassGeometry>(pass, grid)),
      correction_(
          std::make_unique<PanoramaCorrection>(pass.width, geometry_->satelliteHeightKm())) {}

PassProducts::~PassProducts() = default;

Picture PassProducts::plain(const ProductChoice& choice) const {
  return std::move(plainAll({&choice, 1}).front());
}

std::vector<Picture> PassProducts::plainAll(std::span<const ProductChoice> choices) const {
  for (const auto& choice : choices) checkChoice(choice);
  if (pass_.lineCount() == 0) throw Error(pass_.dataSetName + ": no lines to make a picture of");
  const RgbRecipe* recipe = recipe_ ? &*recipe_ : nullptr;
  const auto width = static_cast<std::size_t>(pass_.width);
  const bool located = geometry_->located();

  // Each product's own settings and scratch space, and what all of them read together.
  std::vector<RowContext> contexts(choices.size());
  std::vector<ProductNeeds> needs(choices.size());
  ProductNeeds all;
  bool standInSun = false;  // false colour or NDVI without positions
  for (std::size_t k = 0; k < choices.size(); ++k) {
    const int p = choices[k].product;
    needs[k] = productNeeds(p, choices[k], recipe);
    for (std::size_t c = 0; c < 5; ++c) all.channels[c] = all.channels[c] || needs[k].channels[c];
    all.tones = all.tones || needs[k].tones;
    all.sunZenith = all.sunZenith || needs[k].sunZenith;
    all.cosSunZenith = all.cosSunZenith || needs[k].cosSunZenith;
    all.openSea = all.openSea || needs[k].openSea;
    standInSun = standInSun || (!located && (p == kFalseColourIndex || p == kVegetationIndex));
    RowContext& ctx = contexts[k];
    ctx.choice = choices[k];
    ctx.recipe = recipe;
    if (p == kUserRgbIndex && recipe != nullptr) ctx.evaluator.emplace(*recipe, pass_.width);
    ctx.sst = sstCoefficients(pass_.satellite);
    ctx.scratch.resize(width);
    ctx.tones.resize(width);
    ctx.classes.resize(width);
  }

  // One line's worth of everything the products read: the only floating-point intermediates.
  // Each channel is calibrated once a line, however many products read it.
  std::array<std::vector<float>, 5> channels;
  std::array<std::vector<std::uint8_t>, 5> tones;
  for (std::size_t c = 0; c < 5; ++c) {
    if (all.channels[c]) channels[c].resize(width);
    if (all.channels[c] && all.tones) tones[c].resize(width);
  }
  std::vector<float> sun(all.sunZenith ? width : 0), litSun(standInSun ? width : 0);
  std::vector<float> cosSun(all.cosSunZenith ? width : 0);
  std::vector<std::uint8_t> sea(all.openSea && located ? width : 0);

  std::vector<Picture> pictures(choices.size());
  for (std::size_t k = 0; k < choices.size(); ++k)
    pictures[k].image =
        Image::blank(pass_.width, pass_.lineCount(), productKind(choices[k].product).format);
  for (int line = 0; line < pass_.lineCount(); ++line) {
    if (pass_.lines[static_cast<std::size_t>(line)].quality == avhrr::LineQuality::Missing)
      continue;  // a black row keeps the row index the line's time
    LineInputs in;
    in.line = line;
    in.width = width;
    for (std::size_t c = 0; c < 5; ++c) {
      in.unit[c] = calibration_.transfer(static_cast<int>(c), line).unit();
      if (!all.channels[c]) continue;
      calibration_.calibrateRow(static_cast<int>(c), line, channels[c]);
      in.channel[c] = channels[c].data();
      if (tones[c].empty()) continue;
      greyRow(channels[c].data(), width, in.unit[c], tones[c].data(), 1);
      in.tone[c] = tones[c].data();
    }
    in.channel3A = calibration_.transfer(2, line).band == avhrr::Band::Ch3A;
    if (all.sunZenith) {
      geometry_->sunZenithRow(line, sun);
      in.sunZenith = sun.data();
    }
    if (standInSun) sunFromBrightness(in, litSun);
    if (all.cosSunZenith) {
      geometry_->cosSunZenithRow(line, cosSun);
      in.cosSunZenith = cosSun.data();
    }
    in.satZenith = geometry_->satelliteZenith().data();
    in.satSecant = geometry_->satelliteSecant().data();
    if (!sea.empty()) {
      geometry_->openSeaRow(line, sea);
      in.openSea = sea.data();
    }
    for (std::size_t k = 0; k < choices.size(); ++k) {
      const int p = choices[k].product;
      LineInputs own = in;
      if (!located && (p == kFalseColourIndex || p == kVegetationIndex))
        own.sunZenith = litSun.data();
      productKind(p).row(contexts[k], own, pictures[k].image.row(line));
    }
  }
  for (std::size_t k = 0; k < choices.size(); ++k)
    pictures[k].notes = notesFor(choices[k], needs[k], located, contexts[k], pass_);
  return pictures;
}

Image PassProducts::corrected(const Image& plain) const {
  return correction_->apply(plain);
}

}  // namespace kestrova::products
