#include "avhrr/synthetic/synthetic_pass.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/calibration/reflective.h"
#include "avhrr/calibration/thermal.h"
#include "avhrr/geolocation/location_grid.h"
#include "avhrr/geolocation/orbit_geolocator.h"
#include "avhrr/geolocation/scan_geometry.h"
#include "avhrr/hrpt/frame_writer.h"
#include "avhrr/level1b/klm_writer.h"
#include "avhrr/orbit/direction_of_travel.h"
#include "avhrr/synthetic/scene_row.h"
#include "base/error.h"

namespace kestrova::avhrr {
namespace {

// Typical counts of the on-board views (fact sheet 1.6): IR space near 1000, the internal target
// at a few hundred in channels 4 and 5, higher in 3B whose target radiance is small.
constexpr std::array<double, 3> kSpaceCounts{990, 995, 992};  // 3B, 4, 5
constexpr std::array<double, 3> kTargetCounts{610, 385, 370};
constexpr int kSceneNodeStep = 32;  // the scene is smooth over a few samples
constexpr double kMeanEarthRadiusKm = 6371.0;
constexpr double kMaxDurationSeconds = 3600;

// Deterministic noise of -1, 0 or +1 count: views are never perfectly steady.
int jitter(std::uint64_t seed, std::uint64_t a, std::uint64_t b) {
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ULL * (a * 131 + b + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return static_cast<int>(z % 3) - 1;
}

std::uint16_t toCount(double c) {
  if (!std::isfinite(c)) return 1023;
  return static_cast<std::uint16_t>(std::clamp(std::lround(c), 0L, 1023L));
}

// The caller's set, else the one our calibration uses by default for a pass at that time.
SatelliteConstants constantsOf(const SyntheticPassOptions& options) {
  if (options.satellite == nullptr) throw Error("synthetic pass: no satellite given");
  const auto constants = options.constants != nullptr
                             ? std::optional(*options.constants)
                             : constantsAt(options.satellite, options.start);
  if (!constants || !constants->thermal)
    throw Error("synthetic pass: no calibration constants for " +
                std::string(options.satellite->name));
  for (const auto& channel : constants->thermal->channels) {
    if (!channel)
      throw Error("synthetic pass: " + std::string(options.satellite->name) +
                  " lacks thermal constants for a channel");
  }
  return *constants;
}

const ReflectiveCoefficients& reflective(const SatelliteConstants& constants, int index,
                                         const Satellite& satellite) {
  static constexpr std::array<const char*, 3> names{"1", "2", "3A"};
  const auto& c = constants.reflective[static_cast<std::size_t>(index)];
  if (!c)
    throw Error("synthetic pass: " + std::string(satellite.name) +
                " has no constants for channel " + names[static_cast<std::size_t>(index)]);
  return *c;
}

Channel3 channel3At(const SyntheticPassOptions& options, int line) {
  if (options.channel3SwitchLine < 0 || line < options.channel3SwitchLine) return options.channel3;
  return options.channel3 == Channel3::A3 ? Channel3::B3 : Channel3::A3;
}

// What the pass's counts are made from, fixed for the whole pass.
struct Instrument {
  const SatelliteConstants& constants;
  std::array<double, 4> prtCounts{};         // nominal reading of each PRT
  std::array<ViewThermalLine, 3> thermal{};  // 3B, 4, 5 at the target temperature
  std::array<const ReflectiveCoefficients*, 3> visible{};
  std::array<double, 3> darkCounts{};  // 1, 2, 3A; 3A only when the pass uses it
};

Instrument makeInstrument(const SyntheticPassOptions& options, const SatelliteConstants& c) {
  Instrument in{c};
  const ThermalTable& table = *c.thermal;
  std::array<std::optional<double>, 4> counts;
  for (std::size_t k = 0; k < 4; ++k) {
    in.prtCounts[k] = std::round(table.prt[k].counts(options.targetKelvin));
    counts[k] = in.prtCounts[k];
  }
  // The temperature a calibrator derives from the readings, not the nominal one.
  const double target = *targetTemperature(table, counts);
  for (std::size_t k = 0; k < 3; ++k)
    in.thermal[k] =
        makeViewThermalLine(*table.channels[k], target, kSpaceCounts[k], kTargetCounts[k]);
  const bool uses3A = options.channel3 == Channel3::A3 || options.channel3SwitchLine >= 0;
  for (int k = 0; k < 3; ++k) {
    if (k == 2 && !uses3A) continue;
    in.visible[k] = &reflective(c, k, *options.satellite);
    in.darkCounts[k] = countsFromAlbedo(*in.visible[k], 0);
  }
  return in;
}

CalibrationViews makeViews(const Instrument& in, std::uint64_t seed, int line, int prtPhase,
                           Channel3 channel3) {
  CalibrationViews v;
  v.prtPhase = prtPhase;
  for (std::size_t r = 0; r < v.prt.size(); ++r) {
    v.prt[r] = prtPhase == 0 ? 0
                             : toCount(in.prtCounts[static_cast<std::size_t>(prtPhase - 1)] +
                                       jitter(seed, line, 100 + r));
  }
  const bool is3A = channel3 == Channel3::A3;
  for (std::size_t s = 0; s < v.ict.size(); ++s) {
    for (std::size_t c = 0; c < 3; ++c) {
      const double nominal = c == 0 && is3A ? in.darkCounts[2] : kTargetCounts[c];
      v.ict[s][c] = toCount(nominal + jitter(seed, line, 200 + s * 3 + c));
    }
  }
  for (std::size_t s = 0; s < v.space.size(); ++s) {
    const std::array<double, kChannelCount> nominal{in.darkCounts[0], in.darkCounts[1],
                                                    is3A ? in.darkCounts[2] : kSpaceCounts[0],
                                                    kSpaceCounts[1], kSpaceCounts[2]};
    for (std::size_t c = 0; c < kChannelCount; ++c)
      v.space[s][c] = toCount(nominal[c] + jitter(seed, line, 300 + s * 5 + c));
  }
  return v;
}

void fillCounts(Pass& pass, int line, const Instrument& in, std::span<const ToaValues> row) {
  const bool is3A = pass.lines[static_cast<std::size_t>(line)].channel3 == Channel3::A3;
  for (int c = 0; c < kChannelCount; ++c) {
    auto out = pass.row(c, line);
    for (std::size_t s = 0; s < out.size(); ++s) {
      const ToaValues& v = row[s];
      double counts = 0;
      if (c < 2 || (c == 2 && is3A)) {
        counts = countsFromAlbedo(*in.visible[static_cast<std::size_t>(c)], v.albedo[c]);
      } else {
        const std::size_t k = static_cast<std::size_t>(c - 2);
        counts = in.thermal[k].counts(v.temperature[k]);
      }
      out[s] = toCount(counts);
    }
  }
}

std::vector<int> sceneColumns() {
  std::vector<int> columns;
  for (int s = 0; s < kFullWidth; s += kSceneNodeStep) columns.push_back(s);
  columns.push_back(kFullWidth - 1);
  return columns;
}

// The view's zenith angle at the ground on a spherical Earth: enough for the scene's
// atmospheric path.
double satelliteZenithDeg(double orbitRadiusKm, double sample) {
  const double s = std::min(1.0, orbitRadiusKm / kMeanEarthRadiusKm * std::sin(scanAngle(sample)));
  return std::abs(std::asin(s)) * 180.0 / std::numbers::pi;
}

}  // namespace

Pass makeSyntheticPass(const SyntheticPassOptions& options) {
  const SatelliteConstants& constants = constantsOf(options);
  if (!options.satellite->hrptAddress)
    throw Error("synthetic pass: " + std::string(options.satellite->name) +
                " has no HRPT spacecraft address");
  // A pass lasts at most some 16 minutes; an hour bounds what a caller may ask for.
  if (!(options.durationSeconds >= 1.0 / 6.0 && options.durationSeconds <= kMaxDurationSeconds))
    throw Error("synthetic pass: the duration must hold one scan line and at most an hour, not " +
                std::to_string(options.durationSeconds) + " s");
  const int lineCount = static_cast<int>(std::floor(options.durationSeconds * 6.0));

  const Instrument instrument = makeInstrument(options, constants);
  const Sgp4 orbit(options.elements);
  const OrbitGeolocator geolocator(orbit, options.pointing);
  const Scene scene(SceneOptions{.seed = options.seed, .cloudCover = options.cloudCover});

  Pass pass;
  pass.satellite = options.satellite;
  pass.spacecraftCode = *options.satellite->hrptAddress;
  pass.format = SourceFormat{Container::RawHrpt, DataType::Hrpt, std::nullopt, false, 0};
  pass.dataSetName = "synthetic " + std::string(options.satellite->name) + " pass";
  pass.width = kFullWidth;
  pass.lines.resize(static_cast<std::size_t>(lineCount));
  pass.allocateCounts();

  const std::vector<int> columns = sceneColumns();
  const std::vector<double> samples(columns.begin(), columns.end());
  std::vector<GeoPoint> located(columns.size());
  std::vector<ScenePoint> nodes(columns.size());
  std::vector<ToaValues> row(kFullWidth);
  for (int n = 0; n < lineCount; ++n) {
    ScanLine& line = pass.lines[static_cast<std::size_t>(n)];
    line.time = options.start + std::llround(n * 1000.0 / 6.0);
    line.scanNumber = n;
    line.minorFrame = n % 3 + 1;
    line.channel3 = channel3At(options, n);
    line.views = makeViews(instrument, options.seed, n, n % 5, line.channel3);

    geolocator.locateLine(line.time, samples, located);
    const auto& r = orbit.at(line.time).position;
    const double radius = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
    for (std::size_t k = 0; k < nodes.size(); ++k)
      nodes[k] = {located[k].latitude, located[k].longitude,
                  satelliteZenithDeg(radius, samples[k])};
    sceneRow(scene, sunEphemeris(line.time), columns, nodes, row);
    fillCounts(pass, n, instrument, row);
  }
  return pass;
}

namespace {

std::vector<int> tieColumns(DataType type) {
  std::vector<int> columns;
  const bool gac = type == DataType::Gac;
  for (int k = 0; k < 51; ++k) columns.push_back(gac ? 4 + 8 * k : 24 + 40 * k);
  return columns;
}

// GAC sample g averages four full-resolution samples around the position the geolocation gives
// it, so that content and tie points agree.
void averageGacRow(std::span<const std::uint16_t> full, std::span<std::uint16_t> gac) {
  for (std::size_t g = 0; g < gac.size(); ++g) {
    const auto first =
        static_cast<std::size_t>(std::lround(scanPosition(kGacWidth, static_cast<int>(g)) - 1.5));
    int sum = 0;
    for (std::size_t k = 0; k < 4; ++k) sum += full[first + k];
    gac[g] = static_cast<std::uint16_t>((sum + 2) / 4);
  }
}

FileCoefficients fileCoefficients(const PassCalibration& calibration, int line) {
  FileCoefficients out;
  for (int slot = 0; slot < kChannelCount; ++slot) {
    const LineTransfer& t = calibration.transfer(slot, line);
    if (t.kind == LineTransfer::Kind::Albedo) {
      out.reflective[t.band == Band::Ch3A ? 2 : static_cast<std::size_t>(slot)] = t.reflective;
    } else if (t.kind == LineTransfer::Kind::ViewThermal) {
      out.thermal[static_cast<std::size_t>(slot - 2)] = fileCoefficientsFor(t.viewThermal);
    }
  }
  return out;
}

}  // namespace

Pass syntheticLevel1b(const Pass& raw, const SyntheticPassOptions& options, DataType type) {
  if (type != DataType::Lac && type != DataType::Gac)
    throw Error("synthetic pass: Level 1b data type must be LAC or GAC");
  const SatelliteConstants& constants = constantsOf(options);
  const Instrument instrument = makeInstrument(options, constants);
  const PassCalibration calibration(raw, CalibrationOptions{.constants = &constants});
  const Sgp4 orbit(options.elements);
  const OrbitGeolocator geolocator(orbit, options.pointing);

  const bool gac = type == DataType::Gac;
  const int step = gac ? 3 : 1;
  Pass pass;
  pass.satellite = raw.satellite;
  pass.spacecraftCode = raw.satellite->klmCode.value_or(-1);
  pass.format = SourceFormat{Container::KlmLevel1b, type, std::nullopt, false, 5};
  pass.width = gac ? kGacWidth : kFullWidth;
  std::array<ThermalConstants, 3> header{};
  for (std::size_t k = 0; k < 3; ++k) header[k] = constants.thermal->channels[k]->band;
  pass.headerThermal = header;

  std::vector<int> source;
  for (int n = 0; n < raw.lineCount(); n += step) source.push_back(n);
  pass.lines.resize(source.size());
  pass.allocateCounts();
  TiePoints tie;
  tie.columns = tieColumns(type);
  std::vector<double> positions;
  for (int c : tie.columns) positions.push_back(scanPosition(pass.width, c));
  std::vector<GeoPoint> located(positions.size());

  for (std::size_t i = 0; i < source.size(); ++i) {
    const int n = source[i];
    const ScanLine& from = raw.lines[static_cast<std::size_t>(n)];
    ScanLine& line = pass.lines[i];
    line.time = from.time;
    line.channel3 = from.channel3;
    line.scanNumber = static_cast<int>(i) + 1;
    line.southbound = directionAt(orbit, from.time) == TravelDirection::Southbound;
    line.coefficients = fileCoefficients(calibration, n);
    line.views = gac ? makeViews(instrument, options.seed + 1, static_cast<int>(i),
                                 static_cast<int>(i % 5), from.channel3)
                     : from.views;
    for (int c = 0; c < kChannelCount; ++c) {
      if (gac)
        averageGacRow(raw.row(c, n), pass.row(c, static_cast<int>(i)));
      else {
        const auto from = raw.row(c, n);
        std::copy(from.begin(), from.end(), pass.row(c, static_cast<int>(i)).begin());
      }
    }
    geolocator.locateLine(line.time, positions, located);
    for (const auto& p : located) {
      tie.latitude.push_back(p.latitude);
      tie.longitude.push_back(p.longitude);
    }
    tie.lineValid.push_back(true);
  }
  pass.tiePoints = std::move(tie);
  pass.dataSetName = level1b::klmDataSetName(pass, "NSS");
  return pass;
}

namespace {

struct FileKind {
  SyntheticFile file;
  std::string_view name;
  Container container;
  HrptStorage storage;  // raw HRPT only
  DataType type;        // Level 1b only
  bool archive;
};

constexpr std::array<FileKind, 7> kFiles{{
    {SyntheticFile::HrptBigEndian, "hrpt-be", Container::RawHrpt, HrptStorage::Words16BigEndian,
     DataType::Hrpt, false},
    {SyntheticFile::HrptLittleEndian, "hrpt-le", Container::RawHrpt,
     HrptStorage::Words16LittleEndian, DataType::Hrpt, false},
    {SyntheticFile::HrptPacked, "hrpt-packed", Container::RawHrpt, HrptStorage::Packed10,
     DataType::Hrpt, false},
    {SyntheticFile::KlmLac, "lac", Container::KlmLevel1b, HrptStorage::Packed10, DataType::Lac,
     false},
    {SyntheticFile::KlmLacArchive, "lac-ars", Container::KlmLevel1b, HrptStorage::Packed10,
     DataType::Lac, true},
    {SyntheticFile::KlmGac, "gac", Container::KlmLevel1b, HrptStorage::Packed10, DataType::Gac,
     false},
    {SyntheticFile::KlmGacArchive, "gac-ars", Container::KlmLevel1b, HrptStorage::Packed10,
     DataType::Gac, true},
}};

const FileKind& kindOf(SyntheticFile file) {
  return kFiles[static_cast<std::size_t>(file)];
}

}  // namespace

std::span<const SyntheticFile> allSyntheticFiles() {
  static constexpr std::array<SyntheticFile, kFiles.size()> all{
      SyntheticFile::HrptBigEndian, SyntheticFile::HrptLittleEndian, SyntheticFile::HrptPacked,
      SyntheticFile::KlmLac,        SyntheticFile::KlmLacArchive,    SyntheticFile::KlmGac,
      SyntheticFile::KlmGacArchive};
  return all;
}

std::string_view syntheticFileName(SyntheticFile file) {
  return kindOf(file).name;
}

std::filesystem::path writeSyntheticFile(const Pass& raw, const SyntheticPassOptions& options,
                                         SyntheticFile file, const std::filesystem::path& folder,
                                         const std::string& stem) {
  const FileKind& kind = kindOf(file);
  const bool hrpt = kind.container == Container::RawHrpt;
  const auto path = folder / (stem + "_" + std::string(kind.name) + (hrpt ? ".hpt" : ".l1b"));
  if (hrpt) {
    hrpt::writeHrptFile(path.string(), raw, kind.storage);
  } else {
    level1b::writeKlmFile(syntheticLevel1b(raw, options, kind.type), path,
                          level1b::KlmWriteOptions{.archiveHeader = kind.archive});
  }
  return path;
}

}  // namespace kestrova::avhrr
