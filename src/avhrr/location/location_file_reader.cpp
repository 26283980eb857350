#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "avhrr/location/crc32.h"
#include "avhrr/location/location_file.h"
#include "base/error.h"

namespace kestrova::avhrr::inline location_file {
namespace {

// The largest well-formed file: every pixel a tie point would still be far below this.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1} << 31;

class In {
 public:
  In(std::span<const std::uint8_t> bytes, const std::string& file) : bytes_(bytes), file_(file) {}

  [[noreturn]] void fail(std::size_t offset, const std::string& cause) const {
    throw Error(file_ + ": not a valid location file: at byte offset " + std::to_string(offset) +
                ": " + cause);
  }
  template <typename T>
  T little(std::size_t offset) const {
    std::make_unsigned_t<T> u = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      u |= static_cast<std::make_unsigned_t<T>>(
          static_cast<std::make_unsigned_t<T>>(bytes_[offset + i]) << (8 * i));
    return static_cast<T>(u);
  }
  std::size_t size() const { return bytes_.size(); }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

 private:
  std::span<const std::uint8_t> bytes_;
  const std::string& file_;
};

std::uint32_t checkedCount(const In& in, std::size_t offset, std::uint32_t low, std::uint32_t high,
                           const char* what) {
  const auto value = in.little<std::uint32_t>(offset);
  if (value < low || value > high)
    in.fail(offset, std::string(what) + " " + std::to_string(value) + " outside " +
                        std::to_string(low) + ".." + std::to_string(high));
  return value;
}

std::vector<int> readIndices(const In& in, std::size_t offset, std::uint32_t count,
                             std::uint32_t limit, const char* what) {
  std::vector<int> indices(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = offset + 4 * std::size_t{i};
    const auto value = in.little<std::uint32_t>(at);
    if (value >= limit)
      in.fail(at, std::string(what) + " " + std::to_string(value) + " outside the picture");
    if (i > 0 && static_cast<int>(value) <= indices[i - 1])
      in.fail(at, std::string(what) + " not strictly increasing");
    indices[i] = static_cast<int>(value);
  }
  return indices;
}

std::string readName(const In& in) {
  constexpr std::size_t offset = 16;
  std::string name;
  bool ended = false;
  for (std::size_t i = 0; i < lcn::kNameSize; ++i) {
    const auto c = in.bytes()[offset + i];
    if (c == 0) {
      ended = true;
    } else if (ended || c < 0x20 || c > 0x7E) {
      in.fail(offset + i, "satellite name is not printable ASCII padded with NUL bytes");
    } else {
      name.push_back(static_cast<char>(c));
    }
  }
  return name;
}

}  // namespace

LocationFileGrid decodeLocationFile(std::span<const std::uint8_t> bytes, const std::string& fileName) {
  const In in(bytes, fileName);
  if (in.size() < lcn::kHeaderSize + 4)
    in.fail(in.size(), "file too short for the header (truncated)");
  if (std::memcmp(bytes.data(), lcn::kMagic, sizeof lcn::kMagic) != 0)
    in.fail(0, "wrong magic: not a location file");
  const auto version = in.little<std::uint16_t>(8);
  if (version != lcn::kVersion)
    in.fail(8, "format version " + std::to_string(version) + ", this program reads version " +
                   std::to_string(lcn::kVersion));

  LocationFileGrid g;
  const auto width = checkedCount(in, 48, 2, lcn::kMaxWidth, "picture width");
  const auto height = checkedCount(in, 52, 2, lcn::kMaxHeight, "picture height");
  const auto nc = checkedCount(in, 56, 2, width, "tie column count");
  const auto nr = checkedCount(in, 60, 2, height, "tie row count");
  // Sizes agree before anything is allocated for them.
  const std::uint64_t expected = lcn::kHeaderSize + 4ull * nc + 4ull * nr + 8ull * nc * nr + 4;
  if (in.size() < expected)
    in.fail(in.size(),
            "file ends early (truncated): the grid needs " + std::to_string(expected) + " bytes");
  if (in.size() > expected) in.fail(expected, "unexpected bytes after the checksum");
  const std::size_t crcOffset = in.size() - 4;
  const auto stored = in.little<std::uint32_t>(crcOffset);
  if (crc32(bytes.first(crcOffset)) != stored)
    in.fail(crcOffset, "checksum mismatch: the file is damaged");

  const auto orientation = in.little<std::uint16_t>(10);
  if (orientation > 1) in.fail(10, "unknown orientation " + std::to_string(orientation));
  g.orientation = static_cast<Orientation>(orientation);
  const auto norad = in.little<std::uint32_t>(12);
  if (norad > 999999) in.fail(12, "catalogue number " + std::to_string(norad) + " out of range");
  g.norad = static_cast<int>(norad);
  g.satellite = readName(in);
  g.start = in.little<std::int64_t>(32);
  g.end = in.little<std::int64_t>(40);
  if (g.start < 0) in.fail(32, "pass start before 1970");
  if (g.end < g.start) in.fail(40, "pass ends before it starts");
  g.width = static_cast<int>(width);
  g.height = static_cast<int>(height);

  std::size_t offset = lcn::kHeaderSize;
  g.columns = readIndices(in, offset, nc, width, "tie column");
  offset += 4 * std::size_t{nc};
  g.rows = readIndices(in, offset, nr, height, "tie row");
  offset += 4 * std::size_t{nr};
  const std::size_t points = std::size_t{nc} * nr;
  g.latitude.resize(points);
  g.longitude.resize(points);
  constexpr std::int32_t kMaxLat = 90'000'000, kMaxLon = 180'000'000;
  for (std::size_t i = 0; i < points; ++i, offset += 8) {
    const auto lat = in.little<std::int32_t>(offset);
    const auto lon = in.little<std::int32_t>(offset + 4);
    if (lat < -kMaxLat || lat > kMaxLat) in.fail(offset, "latitude beyond the poles");
    if (lon < -kMaxLon || lon > kMaxLon) in.fail(offset + 4, "longitude outside -180..180 degrees");
    g.latitude[i] = lat / lcn::kUnitsPerDegree;
    g.longitude[i] = lon / lcn::kUnitsPerDegree;
  }
  return g;
}

LocationFileGrid readLocationFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw Error(path + ": cannot open the location file: " + std::strerror(errno));
  file.seekg(0, std::ios::end);
  const auto size = static_cast<std::uintmax_t>(file.tellg());
  if (size > kMaxFileSize) throw Error(path + ": not a valid location file: far too large");
  file.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (!file) throw Error(path + ": cannot read the location file");
  return decodeLocationFile(bytes, path);
}

}  // namespace kestrova::avhrr::inline location_file
