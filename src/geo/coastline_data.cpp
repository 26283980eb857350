#include "geo/coastline_data.h"

#include <algorithm>
#include <cstring>

#include "base/error.h"

namespace kestrova {
namespace {

template <typename T>
void put(std::string& out, T value) {
  auto bits = static_cast<std::make_unsigned_t<T>>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<char>(bits >> (8 * i)));
}

// Reads little-endian numbers from a blob whose total size was checked beforehand.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  template <typename T>
  T take() {
    std::make_unsigned_t<T> bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      bits |= static_cast<std::make_unsigned_t<T>>(bytes_[at_ + i]) << (8 * i);
    at_ += sizeof(T);
    return static_cast<T>(bits);
  }
  void skip(std::size_t n) { at_ += n; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

[[noreturn]] void corrupt(const std::string& what) {
  throw Error("The coastline data is damaged: " + what);
}

void checkSegments(const std::vector<SegmentRecord>& segments, std::uint32_t pointCount) {
  std::uint64_t total = 0;
  for (const SegmentRecord& s : segments) {
    if (static_cast<std::uint32_t>(s.kind) >= kSegmentKindCount) corrupt("unknown segment kind");
    if (s.pointCount < 2) corrupt("a polyline has fewer than two points");
    total += s.pointCount;
  }
  if (total != pointCount) corrupt("the polylines do not add up to the point count");
}

void checkPoints(const std::vector<GeoPoint>& points) {
  for (const GeoPoint& p : points) {
    if (p.latE6 < -90'000'000 || p.latE6 > 90'000'000 || p.lonE6 < -180'000'000 ||
        p.lonE6 > 180'000'000)
      corrupt("a point lies outside -90..90, -180..180");
  }
}

void checkMask(const LandMaskData& mask) {
  std::uint64_t total = 0;
  std::size_t at = 0;
  for (std::uint32_t count : mask.rowCounts) {
    total += count;
    if (total > mask.transitions.size()) break;
    for (std::uint32_t i = 0; i < count; ++i, ++at) {
      if (mask.transitions[at] >= mask.columns) corrupt("a land mask column is out of range");
      if (i > 0 && mask.transitions[at] <= mask.transitions[at - 1])
        corrupt("a land mask row is out of order");
    }
  }
  if (total != mask.transitions.size()) corrupt("the land mask rows do not add up");
}

}  // namespace

std::string encodeCoastline(const CoastlineData& data) {
  std::string out(kCoastlineMagic.begin(), kCoastlineMagic.end());
  put(out, kCoastlineVersion);
  put(out, static_cast<std::uint32_t>(data.segments.size()));
  put(out, static_cast<std::uint32_t>(data.points.size()));
  put(out, data.mask.columns);
  put(out, data.mask.rows);
  put(out, static_cast<std::uint32_t>(data.mask.transitions.size()));
  for (const SegmentRecord& s : data.segments) {
    put(out, static_cast<std::uint32_t>(s.kind));
    put(out, s.pointCount);
  }
  for (const GeoPoint& p : data.points) {
    put(out, p.latE6);
    put(out, p.lonE6);
  }
  for (std::uint32_t count : data.mask.rowCounts) put(out, count);
  for (std::uint16_t column : data.mask.transitions) put(out, column);
  return out;
}

CoastlineData decodeCoastline(std::span<const std::uint8_t> blob) {
  if (blob.size() < kCoastlineHeaderSize) corrupt("it is too short");
  if (std::memcmp(blob.data(), kCoastlineMagic.data(), kCoastlineMagic.size()) != 0)
    corrupt("it does not start with the coastline magic");
  Reader in(blob);
  in.skip(kCoastlineMagic.size());
  if (std::uint32_t version = in.take<std::uint32_t>(); version != kCoastlineVersion)
    corrupt("version " + std::to_string(version) + " is not the supported " +
            std::to_string(kCoastlineVersion));
  const auto segmentCount = in.take<std::uint32_t>();
  const auto pointCount = in.take<std::uint32_t>();
  CoastlineData data;
  data.mask.columns = in.take<std::uint32_t>();
  data.mask.rows = in.take<std::uint32_t>();
  const auto transitionCount = in.take<std::uint32_t>();
  if (data.mask.columns == 0 || data.mask.columns > kMaxMaskColumns || data.mask.rows == 0)
    corrupt("the land mask size is out of range");

  const std::uint64_t expected = kCoastlineHeaderSize + std::uint64_t{segmentCount} * 8 +
                                 std::uint64_t{pointCount} * 8 + std::uint64_t{data.mask.rows} * 4 +
                                 std::uint64_t{transitionCount} * 2;
  if (blob.size() != expected)
    corrupt("its size " + std::to_string(blob.size()) + " does not match its counts (" +
            std::to_string(expected) + ")");

  data.segments.resize(segmentCount);
  for (SegmentRecord& s : data.segments) {
    s.kind = static_cast<SegmentKind>(in.take<std::uint32_t>());
    s.pointCount = in.take<std::uint32_t>();
  }
  data.points.resize(pointCount);
  for (GeoPoint& p : data.points) {
    p.latE6 = in.take<std::int32_t>();
    p.lonE6 = in.take<std::int32_t>();
  }
  data.mask.rowCounts.resize(data.mask.rows);
  for (std::uint32_t& count : data.mask.rowCounts) count = in.take<std::uint32_t>();
  data.mask.transitions.resize(transitionCount);
  for (std::uint16_t& column : data.mask.transitions) column = in.take<std::uint16_t>();

  checkSegments(data.segments, pointCount);
  checkPoints(data.points);
  checkMask(data.mask);
  return data;
}

std::vector<std::uint16_t> maskRowTransitions(const std::vector<bool>& landRow) {
  std::vector<std::uint16_t> out;
  bool previous = false;
  for (std::size_t c = 0; c < landRow.size(); ++c) {
    if (landRow[c] != previous) out.push_back(static_cast<std::uint16_t>(c));
    previous = landRow[c];
  }
  return out;
}

}  // namespace kestrova
