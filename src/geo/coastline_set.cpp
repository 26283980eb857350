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
  std::size_t first = 0;
  for (std::uint32_t segment = 0; segment < data_.segments.size(); ++segment) {
    const std::size_t end = first + data_.segments[segment].pointCount;
    for (std::size_t from = first; from == first || from + 1 < end; from += kPieceLines) {
      const std::size_t to = std::min(from + kPieceLines + 1, end);
      Run piece{segment, from, to - from, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
      for (std::size_t i = from; i < to; ++i) {
        const GeoPoint& p = data_.points[i];
        piece.south = std::min(piece.south, p.latE6);
        piece.north = std::max(piece.north, p.latE6);
        piece.west = std::min(piece.west, p.lonE6);
        piece.east = std::max(piece.east, p.lonE6);
      }
      runs_.push_back(piece);
    }
    first = end;
  }
  rowStart_.reserve(data_.mask.rows + 1);
  std::uint32_t start = 0;
  for (std::uint32_t count : data_.mask.rowCounts) {
    rowStart_.push_back(start);
    start += count;
  }
  rowStart_.push_back(start);
}

bool CoastlineSet::meets(const Run& run, SegmentKind kind, const GeoBox& box) const {
  return data_.segments[run.segment].kind == kind && run.south * 1e-6 <= box.north &&
         run.north * 1e-6 >= box.south && longitudesMeet(box, run.west * 1e-6, run.east * 1e-6);
}

std::vector<Segment> CoastlineSet::segments(SegmentKind kind, const GeoBox& box) const {
  std::vector<Segment> out;
  const Run* last = nullptr;  // the previous run taken
  for (const Run& run : runs_) {
    if (!meets(run, kind, box)) continue;
    const bool continues = last != nullptr && last->segment == run.segment &&
                           last->first + last->count == run.first + 1;
    if (continues)
      out.back().points = {out.back().points.data(), out.back().points.size() + run.count - 1};
    else
      out.push_back({kind, std::span(data_.points).subspan(run.first, run.count)});
    last = &run;
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
