// The files of the peer checks and our readers' dumps of them: a synthetic pass written as raw
// HRPT (16-bit big-endian, the only storage the HRPT peer reads), KLM LAC with the archive header
// and KLM GAC without, each read back by our readers, calibrated with the peers' coefficient set,
// located, and dumped next to the file (FILE.ours) for tools/peers/compare.py.
//
//   avhrr_peer_files FOLDER TLE_FILE SCENARIO
//
// noaa19-north: NOAA-19 northbound over Africa in the early afternoon, channel 3B.
// noaa18-south: NOAA-18 southbound in the Arctic summer, channel 3A switching to 3B mid-pass.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>
#include <vector>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/geolocation/grid_interpolator.h"
#include "avhrr/geolocation/location_grid.h"
#include "avhrr/geolocation/orbit_geolocator.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "avhrr/level1b/level1b_reader.h"
#include "avhrr/orbit/element_sets.h"
#include "avhrr/peers/peer_constants.h"
#include "avhrr/peers/peer_dump.h"
#include "avhrr/synthetic/solar_position.h"
#include "avhrr/synthetic/synthetic_pass.h"

namespace {

using namespace kestrova::avhrr;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kGeoStep = 32;  // the columns the HRPT peer locates itself

struct Scenario {
  std::string_view name;
  std::string_view satellite;
  double minutesAfterEpoch;  // the test elements' epoch is at the ascending node
  Channel3 channel3;
  int switchLine;
};

constexpr std::array<Scenario, 2> kScenarios{{
    {"noaa19-north", "NOAA-19", 0, Channel3::B3, -1},
    // A third of an orbit on: past the pole, heading south through the midnight Sun.
    {"noaa18-south", "NOAA-18", 31, Channel3::A3, 180},
}};

// Slot 2 splits by line into 3A reflectances and 3B temperatures, as the dump keeps them.
void addCalibrated(PeerDump& dump, const Pass& pass, const PassCalibration& calibration,
                   double reflectanceFactor) {
  static constexpr std::array<const char*, kChannelCount> names{"reflectance_1", "reflectance_2",
                                                                "", "bt_4", "bt_5"};
  const auto width = static_cast<std::size_t>(pass.width);
  std::vector<float> a3(pass.lines.size() * width, kNaN), b3(a3.size(), kNaN);
  for (int slot = 0; slot < kChannelCount; ++slot) {
    std::vector<float> values = calibration.calibrateSlot(slot);
    for (std::size_t line = 0; line < pass.lines.size(); ++line) {
      const auto& t = calibration.transfer(slot, static_cast<int>(line));
      if (t.unit() == Unit::Counts) {  // uncalibrated: no value to compare
        std::fill_n(values.begin() + line * width, width, kNaN);
      } else if (t.unit() == Unit::AlbedoPercent) {
        for (std::size_t s = 0; s < width; ++s)
          values[line * width + s] *= static_cast<float>(reflectanceFactor);
      }
      if (slot == 2) {
        auto& into = t.band == Band::Ch3A ? a3 : b3;
        std::copy_n(values.begin() + line * width, width, into.begin() + line * width);
      }
    }
    if (slot != 2) dump.setValues(names[slot], values);
  }
  dump.setValues("reflectance_3a", a3);
  dump.setValues("bt_3b", b3);
}

void addGeolocation(PeerDump& dump, const LocationGrid& grid) {
  std::vector<float> lat, lon;
  for (const auto& p : grid.points) {
    lat.push_back(static_cast<float>(p.latitude));
    lon.push_back(static_cast<float>(p.longitude));
  }
  dump.setGeolocation(grid.samples, lat, lon);
}

void dumpHrpt(const std::filesystem::path& file, const std::vector<TwoLineElements>& sets,
              const std::string& tleName) {
  const Pass pass = hrpt::readHrptFile(file.string());
  const auto constants = peerConstants(*pass.satellite, pass.lines.front().time);
  const PassCalibration calibration(pass, CalibrationOptions{.constants = &constants});
  const Sgp4 orbit(
      nearestElements(sets, SatelliteKey::of(*pass.satellite), pass.lines.front().time, tleName));
  const OrbitGeolocator geolocator(orbit, defaultPointing(pass.satellite));
  PeerDump dump = peerDumpOfPass(pass, "kestrova avhrr", file.filename().string());
  // The HRPT peer gives albedo as it is: no Sun-distance factor.
  addCalibrated(dump, pass, calibration, 1.0);
  addGeolocation(dump, locateFromOrbit(pass, geolocator, 1, kGeoStep));
  dump.write(file.string() + ".ours");
}

// Every few samples between the outermost tie columns, tie columns included, by our
// interpolation of the tie points. Beyond them pygac extrapolates:
// measured against the orbit the file was made from, 1.9 km off at sample 0 where ours is 0.07
// km off, so the edges are checked against the orbit in our own tests instead.
LocationGrid interpolatedGrid(const Pass& pass) {
  const LocationGrid tie = gridFromTiePoints(pass);
  const GridInterpolator interpolator(tie);
  const int step = pass.width == kGacWidth ? 4 : 8;
  LocationGrid out;
  out.width = pass.width;
  out.lines = tie.lines;
  for (int s = tie.samples.front(); s <= tie.samples.back(); s += step) out.samples.push_back(s);
  std::vector<GeoPoint> row(static_cast<std::size_t>(pass.width));
  for (int line : out.lines) {
    interpolator.row(line, row);
    for (int s : out.samples) out.points.push_back(row[static_cast<std::size_t>(s)]);
  }
  return out;
}

void dumpLevel1b(const std::filesystem::path& file) {
  const Pass pass = level1b::readLevel1bFile(file);
  const auto constants = peerConstants(*pass.satellite, pass.lines.front().time);
  // The file's own coefficients calibrate; the peer set only stands in where a line has none.
  const PassCalibration calibration(pass, CalibrationOptions{.constants = &constants});
  PeerDump dump = peerDumpOfPass(pass, "kestrova avhrr", file.filename().string());
  // The Level 1b peer scales albedo to the mean Sun distance (times d squared).
  const double d = earthSunDistanceAu(pass.lines.front().time);
  addCalibrated(dump, pass, calibration, d * d);
  addGeolocation(dump, interpolatedGrid(pass));
  dump.write(file.string() + ".ours");
}

int run(int argc, char** argv) {
  const auto* scenario = argc == 4
                             ? std::find_if(kScenarios.begin(), kScenarios.end(),
                                            [&](const Scenario& s) { return s.name == argv[3]; })
                             : kScenarios.end();
  if (scenario == kScenarios.end()) {
    std::fprintf(stderr, "usage: avhrr_peer_files FOLDER TLE_FILE noaa19-north|noaa18-south\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const std::string tleName = argv[2];
  const auto sets = readElementSets(tleName);
  SyntheticPassOptions options;
  options.satellite = satelliteByName(scenario->satellite);
  const auto& elements = nearestElements(sets, SatelliteKey::of(*options.satellite),
                                         utcFromYearDay(2025, 172, 0), tleName);
  options.elements = elements;
  options.start = elements.epochUtc() + static_cast<UtcMs>(scenario->minutesAfterEpoch * 60'000);
  options.durationSeconds = 60;  // 360 lines: the peers' 51-line windows several times over
  options.channel3 = scenario->channel3;
  options.channel3SwitchLine = scenario->switchLine;
  const auto constants = peerConstants(*options.satellite, options.start);
  options.constants = &constants;
  const Pass pass = makeSyntheticPass(options);

  std::filesystem::create_directories(folder);
  const std::string stem = std::string(scenario->name) + "_20250621";  // the year for our reader
  dumpHrpt(writeSyntheticFile(pass, options, SyntheticFile::HrptBigEndian, folder, stem), sets,
           tleName);
  dumpLevel1b(writeSyntheticFile(pass, options, SyntheticFile::KlmLacArchive, folder, stem));
  dumpLevel1b(writeSyntheticFile(pass, options, SyntheticFile::KlmGac, folder, stem));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "avhrr_peer_files: %s\n", e.what());
    return 1;
  }
}
