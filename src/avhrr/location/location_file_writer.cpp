#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "avhrr/location/crc32.h"
#include "avhrr/location/location_file.h"
#include "base/error.h"

namespace kestrova::avhrr::inline location_file {
namespace {

[[noreturn]] void refuse(const std::string& cause) {
  throw Error("Cannot write the location file: " + cause);
}

class Out {
 public:
  void bytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    buffer.insert(buffer.end(), p, p + n);
  }
  template <typename T>
  void little(T value) {
    auto u = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
      buffer.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  }
  std::vector<std::uint8_t> buffer;
};

void checkIndices(const std::vector<int>& indices, int limit, const char* what) {
  if (indices.size() < 2) refuse(std::string("fewer than two tie ") + what);
  if (static_cast<long long>(indices.size()) > limit)
    refuse(std::string("more tie ") + what + " than the picture has");
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if (indices[i] < 0 || indices[i] >= limit)
      refuse(std::string("tie ") + what + " " + std::to_string(indices[i]) +
             " outside the picture");
    if (i > 0 && indices[i] <= indices[i - 1])
      refuse(std::string("tie ") + what + " not strictly increasing");
  }
}

void checkGrid(const LocationFileGrid& g) {
  if (g.satellite.size() > lcn::kNameSize) refuse("satellite name longer than 16 characters");
  for (char c : g.satellite)
    if (c < 0x20 || c > 0x7E) refuse("satellite name is not printable ASCII");
  if (g.norad < 0 || g.norad > 999999) refuse("catalogue number out of range");
  if (g.start < 0 || g.end < g.start) refuse("pass ends before it starts");
  if (g.width < 2 || static_cast<std::uint32_t>(g.width) > lcn::kMaxWidth)
    refuse("picture width " + std::to_string(g.width) + " out of range");
  if (g.height < 2 || static_cast<std::uint32_t>(g.height) > lcn::kMaxHeight)
    refuse("picture height " + std::to_string(g.height) + " out of range");
  if (g.orientation != Orientation::AsReceived && g.orientation != Orientation::Rotated180)
    refuse("unknown orientation");
  checkIndices(g.columns, g.width, "columns");
  checkIndices(g.rows, g.height, "rows");
  const auto points = g.columns.size() * g.rows.size();
  if (g.latitude.size() != points || g.longitude.size() != points)
    refuse("tie-point count does not match the grid");
  for (std::size_t i = 0; i < points; ++i) {
    if (!std::isfinite(g.latitude[i]) || !std::isfinite(g.longitude[i]))
      refuse("tie point " + std::to_string(i) + " has no location (NaN or infinite)");
    if (std::abs(g.latitude[i]) > 90)
      refuse("tie point " + std::to_string(i) + " latitude beyond the poles");
  }
}

std::int32_t scaled(double degrees) {
  return static_cast<std::int32_t>(std::llround(degrees * lcn::kUnitsPerDegree));
}

// Longitudes of any turn are written within -180..180; both ends stay as they are, so that what
// the reader accepts writes back to the same bytes.
double wrapLongitude(double lon) {
  return std::remainder(lon, 360.0);
}

}  // namespace

std::vector<std::uint8_t> encodeLocationFile(const LocationFileGrid& g) {
  checkGrid(g);
  Out out;
  out.bytes(lcn::kMagic, sizeof lcn::kMagic);
  out.little<std::uint16_t>(lcn::kVersion);
  out.little<std::uint16_t>(static_cast<std::uint16_t>(g.orientation));
  out.little<std::uint32_t>(static_cast<std::uint32_t>(g.norad));
  char name[lcn::kNameSize] = {};
  std::memcpy(name, g.satellite.data(), g.satellite.size());
  out.bytes(name, sizeof name);
  out.little<std::int64_t>(g.start);
  out.little<std::int64_t>(g.end);
  out.little<std::uint32_t>(static_cast<std::uint32_t>(g.width));
  out.little<std::uint32_t>(static_cast<std::uint32_t>(g.height));
  out.little<std::uint32_t>(static_cast<std::uint32_t>(g.columns.size()));
  out.little<std::uint32_t>(static_cast<std::uint32_t>(g.rows.size()));
  for (int c : g.columns) out.little<std::uint32_t>(static_cast<std::uint32_t>(c));
  for (int r : g.rows) out.little<std::uint32_t>(static_cast<std::uint32_t>(r));
  for (std::size_t i = 0; i < g.latitude.size(); ++i) {
    out.little<std::int32_t>(scaled(g.latitude[i]));
    out.little<std::int32_t>(scaled(wrapLongitude(g.longitude[i])));
  }
  out.little<std::uint32_t>(crc32(out.buffer));
  return std::move(out.buffer);
}

void writeLocationFile(const std::string& path, const LocationFileGrid& grid) {
  const auto bytes = encodeLocationFile(grid);
  // A new file beside the old one, renamed over it: a failed write never leaves half a file.
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      const std::string cause = std::strerror(errno);
      std::remove(temporary.c_str());
      throw Error("Cannot write the location file " + path + ": " + cause);
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::remove(temporary.c_str());
    throw Error("Cannot write the location file " + path + ": " + ec.message());
  }
}

}  // namespace kestrova::avhrr::inline location_file
