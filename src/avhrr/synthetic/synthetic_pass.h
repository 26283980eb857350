// Realistic test passes made from orbital elements: every line geolocated from the orbit, the
// scene drawn there, values turned into counts by the inverse of the calibration, and on-board
// views (internal target, space, PRTs) consistent with the chosen target temperature, so that
// any reader and calibrator, ours or another, can be checked against known content.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "avhrr/calibration/calibration_constants.h"
#include "avhrr/geolocation/pointing.h"
#include "avhrr/orbit/two_line_elements.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr {

struct SyntheticPassOptions {
  const Satellite* satellite = nullptr;  // needs an HRPT address and calibration constants
  TwoLineElements elements;
  UtcMs start = 0;
  double durationSeconds = 60;
  std::uint64_t seed = 1;
  double cloudCover = 0.3;
  double targetKelvin = 290;  // internal calibration target
  Channel3 channel3 = Channel3::B3;
  int channel3SwitchLine = -1;  // from this line on the other of 3A and 3B; -1 never
  // The set inverted into counts; when null, the set our calibration uses by default for a pass
  // starting then (constantsAt). Must outlive
  // the calls that take these options.
  const SatelliteConstants* constants = nullptr;
  PointingCorrection pointing;
};

// The pass as the frames carry it: lines 1/6 s apart, PRT cycle with its all-zero reference line
// every fifth line starting at the first, counts of channels 1-5. Throws Error when the
// satellite lacks what the pass needs or the elements cannot be propagated.
Pass makeSyntheticPass(const SyntheticPassOptions& options);

// The same pass as a KLM Level 1b data set of type Lac (2048 samples) or Gac (409 samples from
// every third line, four of each five samples averaged): tie points from our geolocation,
// operational calibration coefficients from our calibration of the views, direction flags from
// the orbit, quality bits clear. GAC lines carry their own PRT cycle, as GAC records do.
Pass syntheticLevel1b(const Pass& raw, const SyntheticPassOptions& options, DataType type);

// The files a synthetic pass is written as.
enum class SyntheticFile {
  HrptBigEndian,
  HrptLittleEndian,
  HrptPacked,
  KlmLac,
  KlmLacArchive,  // with the 512-byte archive header
  KlmGac,
  KlmGacArchive,
};

std::span<const SyntheticFile> allSyntheticFiles();
// "hrpt-be", "lac-ars", ... as the command line and the file names spell them.
std::string_view syntheticFileName(SyntheticFile file);

// Writes folder/<stem>_<name>.<hpt|l1b> and returns its path. Errors name the file.
std::filesystem::path writeSyntheticFile(const Pass& raw, const SyntheticPassOptions& options,
                                         SyntheticFile file, const std::filesystem::path& folder,
                                         const std::string& stem);

}  // namespace kestrova::avhrr
