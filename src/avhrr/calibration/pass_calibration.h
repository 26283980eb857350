// Calibration of a whole pass: for every line and channel slot, which band it carries, how its
// counts become percent albedo or kelvin, and why not when they cannot. Rows are calibrated on
// demand so a caller pays only for the channels it shows.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "avhrr/calibration/calibration_constants.h"
#include "avhrr/calibration/thermal.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr {

enum class Band : std::uint8_t { Ch1, Ch2, Ch3A, Ch3B, Ch4, Ch5 };
enum class Unit : std::uint8_t { AlbedoPercent, Kelvin, Counts };

enum class LineStatus : std::uint8_t {
  Calibrated,
  NoConstants,        // nothing to calibrate this band with: values are the raw counts
  MissingLine,        // a fill line: no values (NaN)
  Channel3Switching,  // channel 3 in transition between 3A and 3B: no values (NaN)
  NoCalibrationData,  // constants known, but no usable views or coefficients nearby: NaN
};

enum class CoefficientSource : std::uint8_t { None, File, SatelliteTable, OnboardViews };

struct CalibrationOptions {
  int windowRadius = 25;  // lines each side whose views are averaged (51-line running mean)
  // Visible gains of raw passes (Level 1b lines carry their own): by default those that follow
  // the instrument's ageing.
  VisibleCalibration visible = VisibleCalibration::TimeDependent;
  // Used instead of our constants for the satellite (visible ignored), e.g. to calibrate with the
  // same set as another program when comparing with it. Must outlive the calibration.
  const SatelliteConstants* constants = nullptr;
};

// How one slot of one line turns counts into values.
struct LineTransfer {
  enum class Kind : std::uint8_t { Nothing, Counts, Albedo, ViewThermal, FileThermal };
  Kind kind = Kind::Nothing;
  Band band = Band::Ch1;
  LineStatus status = LineStatus::MissingLine;
  CoefficientSource source = CoefficientSource::None;
  ReflectiveCoefficients reflective;
  ViewThermalLine viewThermal;
  FileThermalLine fileThermal;

  Unit unit() const;
  float value(std::uint16_t counts) const;  // NaN where there is no value
};

const char* bandName(Band band);  // "1", "2", "3A", "3B", "4", "5"

class PassCalibration {
 public:
  // The pass must outlive this object.
  explicit PassCalibration(const Pass& pass, CalibrationOptions options = {});
  PassCalibration(Pass&&, CalibrationOptions = {}) = delete;

  const LineTransfer& transfer(int slot, int line) const;
  // Samples past a damaged line's damage point have no value (NaN).
  void calibrateRow(int slot, int line, std::span<float> out) const;
  // The whole slot, line-major (line * width + sample).
  std::vector<float> calibrateSlot(int slot) const;

  // What a user should be told: bands left uncalibrated and why, lines without calibration.
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  void buildNotes();
  void calibrateSamples(int slot, int line, std::span<float> out) const;

  const Pass& pass_;
  std::vector<LineTransfer> transfers_;  // [slot * lines + line]
  std::vector<std::string> notes_;
};

}  // namespace kestrova::avhrr
