#include "geo/coastline_set.h"

#include <algorithm>
#include <cmath>

#include "base/error.h"

extern "C" const std::uint8_t kestrova_coastline_blob[];
extern "C" const std::uint8_t kestrova_coastline_blob_end[];

namespace kestrova {

CoastlineSet CoastlineSet::fromBlob(std::span<const std::uint8_t> blob) {
  return CoastlineSet(decodeCoastline(blob));
}

const CoastlineSet& CoastlineSet::builtin() {
  static const CoastlineSet set =
      fromBlob({kestrova_coastline_blob,
                static_cast<std::size_t>(kestrova_coastline_blob_end - kestrova_coastline_blob)});
  return set;
}

CoastlineSet::CoastlineSet(CoastlineData data) : data_(std::move(data)) {
  extents_.reserve(data_.segments.size());
  std::size_t first = 0;
  for (const SegmentRecord& s : data_.segments) {
    Extent e{first, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
    for (std::size_t i = first; i < first + s.pointCount; ++i) {
      const GeoPoint& p = data_.points[i];
      e.south = std::min(e.south, p.latE6);
      e.north = std::max(e.north, p.latE6);
      e.west = std::min(e.west, p.lonE6);
      e.east = std::max(e.east, p.lonE6);
    }
    extents_.push_back(e);
    first += s.pointCount;
  }
  rowStart_.reserve(data_.mask.rows + 1);
  std::uint32_t start = 0;
  for (std::uint32_t count : data_.mask.rowCounts) {
    rowStart_.push_back(start);
    start += count;
  }
  rowStart_.push_back(start);
}

std::vector<Segment> CoastlineSet::segments(SegmentKind kind, const GeoBox& box) const {
  std::vector<Segment> out;
  for (std::size_t i = 0; i < extents_.size(); ++i) {
    const SegmentRecord& s = data_.segments[i];
    const Extent& e = extents_[i];
    if (s.kind != kind || e.south * 1e-6 > box.north || e.north * 1e-6 < box.south ||
        !longitudesMeet(box, e.west * 1e-6, e.east * 1e-6))
      continue;
    out.push_back({kind, std::span(data_.points).subspan(e.first, s.pointCount)});
  }
  return out;
}

std::span<const std::uint16_t> CoastlineSet::maskTransitions(std::uint32_t row) const {
  if (row >= data_.mask.rows) return {};
  return std::span(data_.mask.transitions)
      .subspan(rowStart_[row], rowStart_[row + 1] - rowStart_[row]);
}

bool CoastlineSet::isLand(double lat, double lon) const {
  if (!std::isfinite(lat) || !std::isfinite(lon) || lat < -90 || lat > 90)
    throw Error("The point " + std::to_string(lat) + ", " + std::to_string(lon) +
                " is not a latitude and longitude");
  const LandMaskData& mask = data_.mask;
  auto cell = [](double offset, double span, std::uint32_t cells) {
    auto i = static_cast<std::uint32_t>(offset / span * cells);
    return std::min(i, cells - 1);
  };
  const std::uint32_t row = cell(90.0 - lat, 180.0, mask.rows);
  const std::uint32_t column = cell(normalizedLongitude(lon) + 180.0, 360.0, mask.columns);
  auto begin = mask.transitions.begin() + rowStart_[row];
  auto end = mask.transitions.begin() + rowStart_[row + 1];
  return (std::upper_bound(begin, end, column) - begin) % 2 == 1;
}

}  // namespace kestrova
