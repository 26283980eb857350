#include "imaging/bmp_writer.h"

#include <algorithm>

#include "imaging/bmp_layout.h"
#include "imaging/picture_file.h"

namespace kestrova {
namespace {

template <class T>
void put(std::vector<std::uint8_t>& bytes, std::size_t offset, T value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) bytes[offset + i] = (bits >> (8 * i)) & 0xff;
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
  checkImageLayout(image);
  const bool grey = image.format == PixelFormat::Grey8;
  const std::uint32_t bitCount = grey ? 8 : 24;
  const std::size_t paletteBytes = grey ? bmp::kPaletteEntries * bmp::kPaletteEntryBytes : 0;
  const std::size_t pixelOffset = bmp::kFileHeaderBytes + bmp::kInfoHeaderBytes + paletteBytes;
  const std::size_t rowBytes = bmp::rowBytes(image.width, bitCount);
  const std::size_t imageBytes = rowBytes * image.height;

  std::vector<std::uint8_t> bytes(pixelOffset + imageBytes);
  bytes[0] = 'B';
  bytes[1] = 'M';
  put<std::uint32_t>(bytes, bmp::kFileSize, bytes.size());
  put<std::uint32_t>(bytes, bmp::kPixelOffset, pixelOffset);
  put<std::uint32_t>(bytes, bmp::kHeaderSize, bmp::kInfoHeaderBytes);
  put<std::int32_t>(bytes, bmp::kWidth, image.width);
  put<std::int32_t>(bytes, bmp::kHeight, image.height);
  put<std::uint16_t>(bytes, bmp::kPlanes, 1);
  put<std::uint16_t>(bytes, bmp::kBitCount, bitCount);
  put<std::uint32_t>(bytes, bmp::kCompression, bmp::kUncompressed);
  put<std::uint32_t>(bytes, bmp::kImageSize, imageBytes);
  put<std::int32_t>(bytes, bmp::kXPixelsPerMetre, bmp::kPixelsPerMetre);
  put<std::int32_t>(bytes, bmp::kYPixelsPerMetre, bmp::kPixelsPerMetre);
  put<std::uint32_t>(bytes, bmp::kColoursUsed, grey ? bmp::kPaletteEntries : 0);

  std::uint8_t* palette = bytes.data() + bmp::kFileHeaderBytes + bmp::kInfoHeaderBytes;
  for (std::size_t i = 0; i < paletteBytes / bmp::kPaletteEntryBytes; ++i)
    std::fill_n(palette + i * bmp::kPaletteEntryBytes, 3, static_cast<std::uint8_t>(i));

  // Rows are stored bottom-up, colour as blue, green, red.
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* in = image.row(y);
    std::uint8_t* out = bytes.data() + pixelOffset + rowBytes * (image.height - 1 - y);
    if (grey) {
      std::copy_n(in, image.width, out);
      continue;
    }
    for (int x = 0; x < image.width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return bytes;
}

void writeBmpFile(const std::string& path, const Image& image) {
  writePictureFile(path, encodeBmp(image));
}

}  // namespace kestrova
