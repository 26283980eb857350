#pragma once
// The device-independent bitmap layout we read and write: a 14-byte file header, a 40-byte (or
// longer) information header, a palette for 8-bit pictures, then rows padded to 4 bytes, all
// little-endian. Offsets are from the start of the file.
#include <cstddef>
#include <cstdint>

namespace kestrova::bmp {

inline constexpr std::size_t kFileHeaderBytes = 14;
inline constexpr std::size_t kInfoHeaderBytes = 40;
inline constexpr std::size_t kPaletteEntryBytes = 4;  // blue, green, red, unused
inline constexpr std::uint32_t kPaletteEntries = 256;

enum Offset : std::size_t {
  kMagic = 0,  // "BM"
  kFileSize = 2,
  kPixelOffset = 10,
  kHeaderSize = 14,
  kWidth = 18,
  kHeight = 22,  // negative: rows run top-down
  kPlanes = 26,
  kBitCount = 28,
  kCompression = 30,
  kImageSize = 34,
  kXPixelsPerMetre = 38,
  kYPixelsPerMetre = 42,
  kColoursUsed = 46,
  kColoursImportant = 50,
};

inline constexpr std::uint32_t kUncompressed = 0;
inline constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

inline std::size_t rowBytes(std::uint32_t width, std::uint32_t bitCount) {
  return (static_cast<std::size_t>(width) * bitCount / 8 + 3) / 4 * 4;
}

}  // namespace kestrova::bmp
