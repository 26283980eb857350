#include "avhrr/calibration/pass_calibration.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>

#include "avhrr/calibration/reflective.h"
#include "avhrr/calibration/view_averages.h"
#include "base/error.h"
#include "base/large_vector.h"

namespace kestrova::avhrr {
namespace {

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();
// Space and target views closer than this cannot define a gain.
constexpr double kMinViewContrast = 10;

constexpr std::array<const char*, 6> kBandNames{"1", "2", "3A", "3B", "4", "5"};

Band bandOf(int slot, const ScanLine& line, Family family) {
  static constexpr std::array<Band, kChannelCount> fixed{Band::Ch1, Band::Ch2, Band::Ch3B,
                                                         Band::Ch4, Band::Ch5};
  if (slot == 2 && family == Family::Klm && line.channel3 == Channel3::A3) return Band::Ch3A;
  return fixed[static_cast<std::size_t>(slot)];
}

bool reflectiveBand(Band band) {
  return band == Band::Ch1 || band == Band::Ch2 || band == Band::Ch3A;
}

int reflectiveIndex(Band band) {
  return band == Band::Ch3A ? 2 : static_cast<int>(band);
}

int thermalIndex(Band band) {
  return static_cast<int>(band) - static_cast<int>(Band::Ch3B);
}

// Header constants are used when they look like band corrections at all; some files hold zeros.
bool plausible(const ThermalConstants& c) {
  return c.nu > 500 && c.nu < 3500 && c.b > 0.9 && c.b < 1.1 && std::abs(c.a) < 10;
}

struct Context {
  const Pass& pass;
  Family family;
  const SatelliteConstants* constants;
  const std::vector<LineViews>& views;
};

LineTransfer reflectiveTransfer(const Context& ctx, const ScanLine& line, Band band) {
  LineTransfer t;
  t.band = band;
  const int index = reflectiveIndex(band);
  if (line.coefficients && usable(line.coefficients->reflective[index])) {
    t.kind = LineTransfer::Kind::Albedo;
    t.status = LineStatus::Calibrated;
    t.source = CoefficientSource::File;
    t.reflective = line.coefficients->reflective[index];
  } else if (ctx.constants != nullptr && ctx.constants->reflective[index]) {
    t.kind = LineTransfer::Kind::Albedo;
    t.status = LineStatus::Calibrated;
    t.source = CoefficientSource::SatelliteTable;
    t.reflective = *ctx.constants->reflective[index];
  } else {
    t.kind = LineTransfer::Kind::Counts;
    t.status = LineStatus::NoConstants;
  }
  return t;
}

const EmissiveConstants* tableEmissive(const Context& ctx, int index) {
  if (ctx.constants == nullptr || !ctx.constants->thermal) return nullptr;
  const auto& channel = ctx.constants->thermal->channels[static_cast<std::size_t>(index)];
  return channel ? &*channel : nullptr;
}

// Whether a header stores the published A and B or another convention is not settled, so the
// header's constants are taken only where they agree with the published ones we hold (or where we
// hold none): an inverted convention moves A by about twice its size and is caught.
bool closeTo(const ThermalConstants& header, const ThermalConstants& published) {
  return std::abs(header.nu - published.nu) <= 5 && std::abs(header.a - published.a) <= 0.3 &&
         std::abs(header.b - published.b) <= 0.002;
}

std::optional<ThermalConstants> bandConstants(const Context& ctx, int index) {
  const auto* table = tableEmissive(ctx, index);
  if (ctx.pass.headerThermal) {
    const auto& header = (*ctx.pass.headerThermal)[static_cast<std::size_t>(index)];
    if (plausible(header) && (table == nullptr || closeTo(header, table->band))) return header;
  }
  if (table != nullptr) return table->band;
  return std::nullopt;
}

std::optional<LineTransfer> fileThermal(const Context& ctx, const ScanLine& line, int index) {
  if (!line.coefficients || !usable(line.coefficients->thermal[index])) return std::nullopt;
  const auto band = bandConstants(ctx, index);
  if (!band) return std::nullopt;
  LineTransfer t;
  t.kind = LineTransfer::Kind::FileThermal;
  t.status = LineStatus::Calibrated;
  t.source = CoefficientSource::File;
  t.fileThermal = {line.coefficients->thermal[index], *band, nullptr};
  // POD coefficients are linear in counts; the instrument's non-linearity is corrected after.
  if (ctx.pass.format.container == Container::PodLevel1b)
    t.fileThermal.correction = tableEmissive(ctx, index);
  return t;
}

LineTransfer thermalTransfer(const Context& ctx, const ScanLine& line, std::size_t lineIndex,
                             Band band) {
  const int index = thermalIndex(band);
  if (auto fromFile = fileThermal(ctx, line, index)) {
    fromFile->band = band;
    return *fromFile;
  }
  LineTransfer t;
  t.band = band;
  const auto* constants = tableEmissive(ctx, index);
  if (constants == nullptr) {
    t.kind = LineTransfer::Kind::Counts;
    t.status = LineStatus::NoConstants;
    return t;
  }
  const auto& views = ctx.views[lineIndex];
  const auto tbb = targetTemperature(*ctx.constants->thermal, views.prtCounts);
  const auto space = views.space[static_cast<std::size_t>(index)];
  const auto target = views.target[static_cast<std::size_t>(index)];
  if (!tbb || !space || !target || *space - *target < kMinViewContrast) {
    t.status = LineStatus::NoCalibrationData;
    return t;
  }
  t.kind = LineTransfer::Kind::ViewThermal;
  t.status = LineStatus::Calibrated;
  t.source = CoefficientSource::OnboardViews;
  EmissiveConstants chosen = *constants;
  chosen.band = *bandConstants(ctx, index);  // the file header's, when it has them
  t.viewThermal = makeViewThermalLine(chosen, *tbb, *space, *target);
  return t;
}

LineTransfer makeTransfer(const Context& ctx, int slot, std::size_t lineIndex) {
  const auto& line = ctx.pass.lines[lineIndex];
  const Band band = bandOf(slot, line, ctx.family);
  if (line.quality == LineQuality::Missing) {
    LineTransfer t;
    t.band = band;
    return t;
  }
  if (slot == 2 && ctx.family == Family::Klm && line.channel3 == Channel3::Transition) {
    LineTransfer t;
    t.band = band;
    t.status = LineStatus::Channel3Switching;
    return t;
  }
  return reflectiveBand(band) ? reflectiveTransfer(ctx, line, band)
                              : thermalTransfer(ctx, line, lineIndex, band);
}

}  // namespace

const char* bandName(Band band) {
  return kBandNames[static_cast<std::size_t>(band)];
}

Unit LineTransfer::unit() const {
  switch (kind) {
    case Kind::Albedo:
      return Unit::AlbedoPercent;
    case Kind::ViewThermal:
    case Kind::FileThermal:
      return Unit::Kelvin;
    case Kind::Nothing:
    case Kind::Counts:
      break;
  }
  return Unit::Counts;
}

float LineTransfer::value(std::uint16_t counts) const {
  const double c = counts;
  switch (kind) {
    case Kind::Nothing:
      return kNoValue;
    case Kind::Counts:
      return static_cast<float>(c);
    case Kind::Albedo:
      return static_cast<float>(albedoFromCounts(reflective, c));
    case Kind::ViewThermal:
      return static_cast<float>(viewThermal.kelvin(c));
    case Kind::FileThermal:
      return static_cast<float>(fileThermal.kelvin(c));
  }
  return kNoValue;
}

PassCalibration::PassCalibration(const Pass& pass, CalibrationOptions options) : pass_(pass) {
  const auto expected = static_cast<std::size_t>(kChannelCount) * pass.lines.size() *
                        static_cast<std::size_t>(std::max(pass.width, 0));
  if (pass.width <= 0 || pass.counts.size() != expected)
    throw Error(pass.dataSetName + ": cannot calibrate: the counts do not match " +
                std::to_string(pass.lines.size()) + " lines of " + std::to_string(pass.width) +
                " samples");
  const Family family = pass.satellite != nullptr                        ? pass.satellite->family
                        : pass.format.container == Container::PodLevel1b ? Family::Pod
                                                                         : Family::Klm;
  const auto views = averageViews(pass, options.windowRadius);
  const auto own = options.constants != nullptr || pass.lines.empty()
                       ? std::nullopt
                       : constantsAt(pass.satellite, pass.lines.front().time, options.visible);
  const Context ctx{pass, family,
                    options.constants != nullptr ? options.constants
                    : own                        ? &*own
                                                 : nullptr,
                    views};
  const auto lines = pass.lines.size();
  transfers_.resize(kChannelCount * lines);
  for (int slot = 0; slot < kChannelCount; ++slot)
    for (std::size_t i = 0; i < lines; ++i)
      transfers_[static_cast<std::size_t>(slot) * lines + i] = makeTransfer(ctx, slot, i);
  buildNotes();
}

const LineTransfer& PassCalibration::transfer(int slot, int line) const {
  return transfers_[static_cast<std::size_t>(slot) * pass_.lines.size() +
                    static_cast<std::size_t>(line)];
}

void PassCalibration::calibrateRow(int slot, int line, std::span<float> out) const {
  const auto counts = pass_.row(slot, line);
  // A damaged frame's samples past its damage point are another frame's or garbage: no value.
  const auto& damagedFrom = pass_.lines[static_cast<std::size_t>(line)].damagedFrom;
  const auto valid = std::min(out.size(), counts.size());
  const auto n = damagedFrom ? std::min(valid, static_cast<std::size_t>(*damagedFrom)) : valid;
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(n),
            out.begin() + static_cast<std::ptrdiff_t>(valid), kNoValue);
  calibrateSamples(slot, line, out.first(n));
}

void PassCalibration::calibrateSamples(int slot, int line, std::span<float> out) const {
  const auto& t = transfer(slot, line);
  const auto counts = pass_.row(slot, line);
  const auto n = out.size();
  switch (t.kind) {
    case LineTransfer::Kind::Nothing:
      std::fill_n(out.begin(), n, kNoValue);
      return;
    case LineTransfer::Kind::Counts:
      std::copy_n(counts.begin(), n, out.begin());
      return;
    case LineTransfer::Kind::Albedo:
      for (std::size_t s = 0; s < n; ++s)
        out[s] = static_cast<float>(albedoFromCounts(t.reflective, counts[s]));
      return;
    case LineTransfer::Kind::ViewThermal:
    case LineTransfer::Kind::FileThermal:
      break;
  }
  // A table over the counts the row holds: the logarithm of the inverse Planck function is then
  // paid once per distinct count, not once per sample.
  if (n == 0) return;
  const auto [lo, hi] = std::minmax_element(counts.begin(), counts.begin() + n);
  const int first = *lo;
  // Filled as counts appear: a row holds far fewer distinct counts than its range.
  std::vector<float> table(static_cast<std::size_t>(*hi - first) + 1);
  std::vector<char> known(table.size(), 0);
  for (std::size_t s = 0; s < n; ++s) {
    const auto k = static_cast<std::size_t>(counts[s] - first);
    if (known[k] == 0) {
      table[k] = t.value(counts[s]);
      known[k] = 1;
    }
    out[s] = table[k];
  }
}

std::vector<float> PassCalibration::calibrateSlot(int slot) const {
  const auto width = static_cast<std::size_t>(pass_.width);
  std::vector<float> image;
  assignLarge(image, pass_.lines.size() * width);
  for (std::size_t line = 0; line < pass_.lines.size(); ++line)
    calibrateRow(slot, static_cast<int>(line), std::span(image).subspan(line * width, width));
  return image;
}

void PassCalibration::buildNotes() {
  const std::string name =
      pass_.satellite != nullptr
          ? std::string(pass_.satellite->name)
          : "unknown satellite (spacecraft code " + std::to_string(pass_.spacecraftCode) + ")";
  std::map<Band, int> noConstants, noData;
  const auto lines = pass_.lines.size();
  for (std::size_t i = 0; i < transfers_.size(); ++i) {
    const auto& t = transfers_[i];
    if (t.status == LineStatus::NoConstants) ++noConstants[t.band];
    if (t.status == LineStatus::NoCalibrationData) ++noData[t.band];
  }
  const bool anyCalibrated =
      std::any_of(transfers_.begin(), transfers_.end(),
                  [](const LineTransfer& t) { return t.status == LineStatus::Calibrated; });
  if (lines > 0 && !anyCalibrated && !noConstants.empty()) {
    notes_.push_back(name + ": uncalibrated, no calibration constants; all channels show counts");
    return;
  }
  for (const auto& [band, count] : noConstants)
    notes_.push_back(name + " channel " + bandName(band) +
                     ": uncalibrated, no calibration constants; shows counts on " +
                     std::to_string(count) + " lines");
  for (const auto& [band, count] : noData)
    notes_.push_back(name + " channel " + bandName(band) +
                     ": no usable calibration data (views or file coefficients) within reach on " +
                     std::to_string(count) + " lines; those lines have no values");
}

}  // namespace kestrova::avhrr
