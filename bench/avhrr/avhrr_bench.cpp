// A full 12-minute pass (4320 lines) read, calibrated (all five channels to albedo and kelvin)
// and located, as raw HRPT and as KLM LAC. The files come from the environment
// (KESTROVA_BENCH_HRPT, KESTROVA_BENCH_LAC, KESTROVA_BENCH_TLE; bench/avhrr/compare_with_satpy.sh
// sets them so satpy reads the very same files) or are made here from the test elements.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/geolocation/grid_interpolator.h"
#include "avhrr/geolocation/location_grid.h"
#include "avhrr/geolocation/orbit_geolocator.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "avhrr/level1b/level1b_reader.h"
#include "avhrr/orbit/element_sets.h"
#include "avhrr/synthetic/synthetic_pass.h"

namespace kestrova::avhrr {
namespace {

constexpr int kGeoStep = 32;  // orbit-located columns a line; the rest interpolated

struct PassFiles {
  std::string hrpt, lac, tle;
};

std::string fromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

PassFiles makeFiles() {
  PassFiles files{fromEnvironment("KESTROVA_BENCH_HRPT"), fromEnvironment("KESTROVA_BENCH_LAC"),
                  fromEnvironment("KESTROVA_BENCH_TLE")};
  if (!files.hrpt.empty() && !files.lac.empty() && !files.tle.empty()) return files;
  files.tle = KESTROVA_BENCH_ELEMENTS;
  const auto folder = std::filesystem::temp_directory_path() / "kestrova_avhrr_bench";
  std::filesystem::create_directories(folder);
  SyntheticPassOptions options;
  options.satellite = satelliteByName("NOAA-19");
  const auto sets = readElementSets(files.tle);
  options.elements = nearestElements(sets, SatelliteKey::of(*options.satellite),
                                     utcFromYearDay(2025, 172, 0), files.tle);
  options.start = options.elements.epochUtc() - 6 * 60'000;
  options.durationSeconds = 720;
  const Pass pass = makeSyntheticPass(options);
  const std::string stem = "noaa19_20250621_115400";
  files.hrpt = writeSyntheticFile(pass, options, SyntheticFile::HrptBigEndian, folder, stem);
  files.lac = writeSyntheticFile(pass, options, SyntheticFile::KlmLac, folder, stem);
  return files;
}

const PassFiles& passFiles() {
  static const PassFiles files = makeFiles();
  return files;
}

// Every sample of the five channels to albedo or kelvin, row by row into one buffer, as the
// decoder consumes them for its pictures.
void calibrateAll(const Pass& pass) {
  const PassCalibration calibration(pass);
  std::vector<float> row(static_cast<std::size_t>(pass.width));
  for (int slot = 0; slot < kChannelCount; ++slot) {
    for (int line = 0; line < pass.lineCount(); ++line) {
      calibration.calibrateRow(slot, line, row);
      benchmark::DoNotOptimize(row.data());
      benchmark::ClobberMemory();
    }
  }
}

// Latitude and longitude of every pixel, row by row.
void interpolateEveryPixel(const Pass& pass, const LocationGrid& grid) {
  const GridInterpolator interpolator(grid);
  std::vector<GeoPoint> row(static_cast<std::size_t>(pass.width));
  for (int line = 0; line < pass.lineCount(); ++line) {
    interpolator.row(line, row);
    benchmark::DoNotOptimize(row.data());
    benchmark::ClobberMemory();
  }
}

LocationGrid locateHrpt(const Pass& pass, const std::string& tle) {
  const auto sets = readElementSets(tle);
  const Sgp4 orbit(
      nearestElements(sets, SatelliteKey::of(*pass.satellite), pass.lines.front().time, tle));
  const OrbitGeolocator geolocator(orbit, defaultPointing(pass.satellite));
  return locateFromOrbit(pass, geolocator, 1, kGeoStep);
}

void RawHrptPass(benchmark::State& state) {
  const PassFiles& files = passFiles();
  const bool everyPixel = state.range(0) != 0;
  for (auto _ : state) {
    const Pass pass = hrpt::readHrptFile(files.hrpt);
    calibrateAll(pass);
    const LocationGrid grid = locateHrpt(pass, files.tle);
    if (everyPixel) interpolateEveryPixel(pass, grid);
    state.counters["lines"] = pass.lineCount();
  }
}
BENCHMARK(RawHrptPass)->ArgName("every_pixel")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void KlmLacPass(benchmark::State& state) {
  const PassFiles& files = passFiles();
  const bool everyPixel = state.range(0) != 0;
  for (auto _ : state) {
    const Pass pass = level1b::readLevel1bFile(files.lac);
    calibrateAll(pass);
    const LocationGrid grid = gridFromTiePoints(pass);
    if (everyPixel) interpolateEveryPixel(pass, grid);
    state.counters["lines"] = pass.lineCount();
  }
}
BENCHMARK(KlmLacPass)->ArgName("every_pixel")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The stages on their own, to see where the time goes.
void ReadRawHrpt(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(hrpt::readHrptFile(passFiles().hrpt));
}
BENCHMARK(ReadRawHrpt)->Unit(benchmark::kMillisecond);

void ReadKlmLac(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(level1b::readLevel1bFile(passFiles().lac));
}
BENCHMARK(ReadKlmLac)->Unit(benchmark::kMillisecond);

void CalibrateRawHrpt(benchmark::State& state) {
  const Pass pass = hrpt::readHrptFile(passFiles().hrpt);
  for (auto _ : state) calibrateAll(pass);
}
BENCHMARK(CalibrateRawHrpt)->Unit(benchmark::kMillisecond);

void LocateRawHrpt(benchmark::State& state) {
  const Pass pass = hrpt::readHrptFile(passFiles().hrpt);
  for (auto _ : state) benchmark::DoNotOptimize(locateHrpt(pass, passFiles().tle));
}
BENCHMARK(LocateRawHrpt)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrova::avhrr

BENCHMARK_MAIN();
