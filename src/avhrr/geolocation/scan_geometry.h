// How the AVHRR scans: 2048 samples across +-55.37 degrees, one every 25 microseconds, sample 0
// to the right of the flight direction.
#pragma once

#include <numbers>

namespace kestrova::avhrr {

constexpr double kScanHalfAngleDeg = 55.37;
constexpr double kScanCentre = 1023.5;  // nadir lies between samples 1023 and 1024
constexpr double kSamplePeriodSeconds = 25e-6;

// Angle of a (possibly fractional) sample from nadir, radians, positive to the right of the
// flight direction.
constexpr double scanAngle(double sample) {
  return (kScanCentre - sample) / kScanCentre * kScanHalfAngleDeg * std::numbers::pi / 180.0;
}

}  // namespace kestrova::avhrr
