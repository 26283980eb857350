#pragma once
// The decoded contents of a coastline blob (see coastline_format.h), and its encoder and
// validating decoder.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "geo/coastline_format.h"

namespace kestrova {

struct GeoPoint {
  std::int32_t latE6, lonE6;  // micro-degrees
  double lat() const { return latE6 * 1e-6; }
  double lon() const { return lonE6 * 1e-6; }
  bool operator==(const GeoPoint&) const = default;
};

struct SegmentRecord {
  SegmentKind kind;
  std::uint32_t pointCount;
  bool operator==(const SegmentRecord&) const = default;
};

struct LandMaskData {
  std::uint32_t columns = 0, rows = 0;
  std::vector<std::uint32_t> rowCounts;    // transitions per row
  std::vector<std::uint16_t> transitions;  // all rows' transition columns, row after row
  bool operator==(const LandMaskData&) const = default;
};

struct CoastlineData {
  std::vector<SegmentRecord> segments;
  std::vector<GeoPoint> points;
  LandMaskData mask;
  bool operator==(const CoastlineData&) const = default;
};

std::string encodeCoastline(const CoastlineData& data);

// Checks the magic, the version and every count and value; a blob that is not exactly right
// raises kestrova::Error saying what is wrong.
CoastlineData decodeCoastline(std::span<const std::uint8_t> blob);

// The transitions of one row of land flags (true = land), as the mask stores them.
std::vector<std::uint16_t> maskRowTransitions(const std::vector<bool>& landRow);

}  // namespace kestrova
