// The location file (.lcn): where on Earth the pixels of one decoded picture lie, as latitude and
// longitude on a grid of tie points. The decoder writes it next to the picture; the remapper
// reads it and interpolates a location for every pixel.
//
// Format version 1. All integers little-endian; offsets in bytes.
//
//   offset  size      field
//        0     8      magic "KSTLCN" 0x1A 0x0A (the control bytes expose text-mode mangling)
//        8     2      u16 format version, 1
//       10     2      u16 orientation: 0 = lines as received, 1 = picture rotated by 180 degrees
//       12     4      u32 NORAD catalogue number of the satellite, 0 when unknown
//       16    16      satellite name, printable ASCII, padded with NUL bytes
//       32     8      i64 pass start, milliseconds since 1970-01-01 00:00 UTC
//       40     8      i64 pass end, not before the start
//       48     4      u32 picture width W in pixels, 2..65536
//       52     4      u32 picture height H in lines, 2..1048576
//       56     4      u32 number of tie columns NC, 2..W
//       60     4      u32 number of tie rows NR, 2..H
//       64  4*NC      u32 tie columns, strictly increasing, each < W
//        .  4*NR      u32 tie rows, strictly increasing, each < H
//        .  8*NC*NR   tie points row by row, each i32 latitude then i32 longitude in millionths
//                     of a degree; latitude within +-90, longitude within +-180 degrees
//      end     4      u32 CRC-32 (as zlib) of every byte before it
//
// Tie rows and columns count lines and samples as received (before any rotation): the grid is
// the scan geometry, and orientation only says how the picture was turned, so the same grid
// serves both and the interpolator maps picture pixels back to received ones.
//
// Coordinates are scaled integers, not floats: a millionth of a degree is 0.11 m, ten thousand
// times finer than the roughly one-kilometre accuracy of the locations; the file is half the
// size of float64; and an integer has no NaN, infinity or negative zero, so validation is an
// exact range check and the bytes of a file are a function of its values alone.
//
// The types live in an inline namespace: the geolocation code has a LocationGrid and a GeoPoint
// of its own, and a program using both (the decoder) must not get one type's members in place
// of the other's at link time.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "avhrr/utc_time.h"

namespace kestrova::avhrr::inline location_file {

enum class Orientation : std::uint16_t { AsReceived = 0, Rotated180 = 1 };

struct LocationFileGrid {
  std::string satellite;  // at most 16 printable ASCII characters
  int norad = 0;
  UtcMs start = 0;
  UtcMs end = 0;
  int width = 0;
  int height = 0;
  Orientation orientation = Orientation::AsReceived;
  std::vector<int> columns;  // samples as received
  std::vector<int> rows;     // lines as received
  // Degrees, rows.size() x columns.size(), row by row.
  std::vector<double> latitude;
  std::vector<double> longitude;
};

namespace lcn {
inline constexpr char kMagic[8] = {'K', 'S', 'T', 'L', 'C', 'N', 0x1A, 0x0A};
inline constexpr std::uint16_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 64;
inline constexpr std::size_t kNameSize = 16;
inline constexpr std::uint32_t kMaxWidth = 65536;
inline constexpr std::uint32_t kMaxHeight = 1048576;
inline constexpr double kUnitsPerDegree = 1e6;
}  // namespace lcn

// Throws kestrova::Error naming the field when the grid cannot be written as it is.
std::vector<std::uint8_t> encodeLocationFile(const LocationFileGrid& grid);
void writeLocationFile(const std::string& path, const LocationFileGrid& grid);

// Strict: every field is checked; errors name the file, the byte offset and the cause.
LocationFileGrid decodeLocationFile(std::span<const std::uint8_t> bytes, const std::string& fileName);
LocationFileGrid readLocationFile(const std::string& path);

}  // namespace kestrova::avhrr::inline location_file
