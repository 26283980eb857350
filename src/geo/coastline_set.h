#pragma once
// The coastline set in memory: polylines of each kind found by a lat/lon box, and the land mask.
#include <cstdint>
#include <span>
#include <vector>

#include "geo/coastline_data.h"
#include "geo/geo_box.h"

namespace kestrova {

struct Segment {
  SegmentKind kind;
  std::span<const GeoPoint> points;
};

class CoastlineSet {
 public:
  // Decodes and validates a blob; a damaged one raises kestrova::Error.
  static CoastlineSet fromBlob(std::span<const std::uint8_t> blob);

  // The set built into the library, decoded on first use.
  static const CoastlineSet& builtin();

  // The polylines of a kind that may reach the box's latitudes and longitudes: of each, only the
  // runs of points near the box, so a long shore mostly elsewhere (the ring of Eurasia for a map
  // of Europe) costs only what can be seen. Each run holds every line that has a point inside the
  // box or runs through it. A box with east < west crosses 180°.
  std::vector<Segment> segments(SegmentKind kind, const GeoBox& box) const;

  // Land, by the mask's cell under the point; lakes are not land. Longitudes of any turn are
  // accepted; a latitude outside -90..90 or a non-finite value raises kestrova::Error.
  bool isLand(double lat, double lon) const;

  // The land mask itself, for callers that scan it a row at a time: its size in cells and, per
  // row (0 at 90°N), the columns where the row changes between sea and land (see
  // coastline_format.h).
  std::uint32_t maskColumns() const { return data_.mask.columns; }
  std::uint32_t maskRows() const { return data_.mask.rows; }
  std::span<const std::uint16_t> maskTransitions(std::uint32_t row) const;

  std::size_t segmentCount() const { return data_.segments.size(); }
  std::size_t pointCount() const { return data_.points.size(); }

 private:
  explicit CoastlineSet(CoastlineData data);

  // A run of at most kPieceLines lines of one segment; consecutive pieces share a point.
  struct Run {
    std::uint32_t segment;
    std::size_t first, count;
    std::int32_t south, north, west, east;  // micro-degrees
  };
  static constexpr std::size_t kPieceLines = 64;

  CoastlineData data_;
  std::vector<Run> runs_;

  bool meets(const Run& run, SegmentKind kind, const GeoBox& box) const;
  std::vector<std::uint32_t> rowStart_;  // first transition of each mask row, plus the end
};

}  // namespace kestrova
