// The files of the peer checks and our readers' dumps of them: one synthetic NOAA-19 pass,
// written as raw HRPT (16-bit big-endian, the only storage the HRPT peer reads), KLM LAC with the
// archive header and KLM GAC without, each read back by our readers, calibrated with the peers'
// coefficient set and located, and dumped for tools/peers/compare.py.
//
//   avhrr_peer_files FOLDER TLE_FILE [SECONDS]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "avhrr/calibration/pass_calibration.h"
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

void dumpLevel1b(const std::filesystem::path& file) {
  const Pass pass = level1b::readLevel1bFile(file);
  const auto constants = peerConstants(*pass.satellite, pass.lines.front().time);
  // The file's own coefficients calibrate; the peer set only stands in where a line has none.
  const PassCalibration calibration(pass, CalibrationOptions{.constants = &constants});
  PeerDump dump = peerDumpOfPass(pass, "kestrova avhrr", file.filename().string());
  // The Level 1b peer scales albedo to the mean Sun distance (times d squared).
  const double d = earthSunDistanceAu(pass.lines.front().time);
  addCalibrated(dump, pass, calibration, d * d);
  addGeolocation(dump, gridFromTiePoints(pass));
  dump.write(file.string() + ".ours");
}

int run(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: avhrr_peer_files FOLDER TLE_FILE [SECONDS]\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const std::string tleName = argv[2];
  const auto sets = readElementSets(tleName);
  SyntheticPassOptions options;
  options.satellite = satelliteByName("NOAA-19");
  // Northbound over Africa and Europe in the early afternoon: land, sea, cloud and daylight.
  options.start = utcFromYearDay(2025, 172, 12 * 3'600'000LL);
  options.durationSeconds = argc == 4 ? std::atof(argv[3]) : 60;
  options.elements =
      nearestElements(sets, SatelliteKey::of(*options.satellite), options.start, tleName);
  const auto constants = peerConstants(*options.satellite, options.start);
  options.constants = &constants;
  const Pass pass = makeSyntheticPass(options);

  std::filesystem::create_directories(folder);
  const std::string stem = "noaa19_20250621_120000";
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
