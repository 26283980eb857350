#include "imaging/bmp_reader.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "base/error.h"
#include "imaging/bmp_layout.h"
#include "imaging/picture_file.h"

namespace kestrova {
namespace {

// Information headers of the Windows versions; the fields past the first 40 bytes (colour
// masks, colour space) mean nothing for uncompressed pictures and are skipped.
constexpr std::array<std::uint32_t, 5> kHeaderSizes{40, 52, 56, 108, 124};

[[noreturn]] void fail(std::size_t offset, const std::string& cause) {
  throw Error("Invalid BMP file at byte offset " + std::to_string(offset) + ": " + cause);
}

struct Colour {
  std::uint8_t red, green, blue;
};

class BmpDecoder {
 public:
  explicit BmpDecoder(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  Image decode() {
    const std::size_t headers = bmp::kFileHeaderBytes + bmp::kInfoHeaderBytes;
    if (bytes_.size() < headers)
      fail(bytes_.size(), "file ends after " + std::to_string(bytes_.size()) +
                              " bytes, inside the " + std::to_string(headers) + "-byte headers");
    if (bytes_[0] != 'B' || bytes_[1] != 'M') fail(bmp::kMagic, "does not start with \"BM\"");
    checkFileSize();
    readGeometry();
    readPalette();
    return readPixels();
  }

 private:
  std::uint32_t u32(std::size_t at) const {
    return bytes_[at] | bytes_[at + 1] << 8 | bytes_[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
  }
  std::uint16_t u16(std::size_t at) const { return bytes_[at] | bytes_[at + 1] << 8; }
  std::string fileSizeText() const { return "the file's " + std::to_string(bytes_.size()); }

  // A declared size beyond the real one means the file was cut short; zero means "not given".
  void checkFileSize() const {
    std::uint32_t declared = u32(bmp::kFileSize);
    if (declared > bytes_.size())
      fail(bmp::kFileSize, "declared file size " + std::to_string(declared) + " exceeds " +
                               fileSizeText() + " bytes: the file is truncated");
  }

  void readGeometry() {
    headerSize_ = u32(bmp::kHeaderSize);
    if (std::find(kHeaderSizes.begin(), kHeaderSizes.end(), headerSize_) == kHeaderSizes.end())
      fail(bmp::kHeaderSize, "information header size " + std::to_string(headerSize_) +
                                 " is not supported (40, 52, 56, 108 or 124)");
    if (bmp::kFileHeaderBytes + headerSize_ > bytes_.size())
      fail(bmp::kHeaderSize, "information header of " + std::to_string(headerSize_) +
                                 " bytes runs past " + fileSizeText() + " bytes");
    const auto width = static_cast<std::int32_t>(u32(bmp::kWidth));
    const auto height = static_cast<std::int32_t>(u32(bmp::kHeight));
    const std::int64_t rows = std::abs(static_cast<std::int64_t>(height));
    topDown_ = height < 0;
    try {
      checkPictureSize(width, rows);
    } catch (const Error& e) {
      fail(width <= 0 || width > kMaxPictureSide ? bmp::kWidth : bmp::kHeight, e.what());
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(rows);
    if (u16(bmp::kPlanes) != 1)
      fail(bmp::kPlanes, "plane count " + std::to_string(u16(bmp::kPlanes)) + " is not 1");
    bitCount_ = u16(bmp::kBitCount);
    if (bitCount_ != 8 && bitCount_ != 24)
      fail(bmp::kBitCount,
           "bit depth " + std::to_string(bitCount_) + " is not supported (only 8 and 24)");
    if (std::uint32_t compression = u32(bmp::kCompression); compression != bmp::kUncompressed)
      fail(bmp::kCompression,
           "compression " + std::to_string(compression) + " is not supported (only 0, none)");
  }

  void readPalette() {
    if (bitCount_ != 8) return;
    std::uint32_t entries = u32(bmp::kColoursUsed);
    if (entries == 0) entries = bmp::kPaletteEntries;
    if (entries > bmp::kPaletteEntries)
      fail(bmp::kColoursUsed, "palette of " + std::to_string(entries) +
                                  " colours is larger than 256 for 8 bits per pixel");
    const std::size_t start = bmp::kFileHeaderBytes + headerSize_;
    if (start + entries * bmp::kPaletteEntryBytes > bytes_.size())
      fail(start, "palette of " + std::to_string(entries) + " colours runs past " + fileSizeText() +
                      " bytes");
    for (std::uint32_t i = 0; i < entries; ++i) {
      const std::uint8_t* entry = bytes_.data() + start + i * bmp::kPaletteEntryBytes;
      palette_[i] = {entry[2], entry[1], entry[0]};
    }
    paletteEnd_ = start + entries * bmp::kPaletteEntryBytes;
  }

  bool greyPalette() const {
    return std::all_of(palette_.begin(), palette_.end(),
                       [](const Colour& c) { return c.red == c.green && c.green == c.blue; });
  }

  Image readPixels() const {
    const std::size_t offset = u32(bmp::kPixelOffset);
    const std::size_t headersEnd = std::max(bmp::kFileHeaderBytes + headerSize_, paletteEnd_);
    if (offset < headersEnd || offset > bytes_.size())
      fail(bmp::kPixelOffset, "pixel data offset " + std::to_string(offset) +
                                  " lies outside bytes " + std::to_string(headersEnd) + " to " +
                                  std::to_string(bytes_.size()));
    const std::size_t rowBytes = bmp::rowBytes(width_, bitCount_);
    const std::size_t needed = rowBytes * height_;
    if (needed > bytes_.size() - offset)
      fail(bytes_.size(), "file ends after " + std::to_string(bytes_.size() - offset) +
                              " bytes of pixel data, " + std::to_string(width_) + " x " +
                              std::to_string(height_) + " pixels need " + std::to_string(needed));
    const bool grey = bitCount_ == 8 && greyPalette();
    Image image = Image::blank(width_, height_, grey ? PixelFormat::Grey8 : PixelFormat::Rgb888);
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* in = bytes_.data() + offset + rowBytes * (topDown_ ? y : height_ - 1 - y);
      copyRow(in, image.row(y), grey);
    }
    return image;
  }

  void copyRow(const std::uint8_t* in, std::uint8_t* out, bool grey) const {
    if (grey) {
      for (int x = 0; x < width_; ++x) out[x] = palette_[in[x]].red;
    } else if (bitCount_ == 8) {
      for (int x = 0; x < width_; ++x, out += 3) {
        const Colour& c = palette_[in[x]];
        out[0] = c.red;
        out[1] = c.green;
        out[2] = c.blue;
      }
    } else {
      for (int x = 0; x < width_; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    }
  }

  std::span<const std::uint8_t> bytes_;
  std::uint32_t headerSize_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool topDown_ = false;
  std::uint32_t bitCount_ = 0;
  std::array<Colour, bmp::kPaletteEntries> palette_{};  // entries a short palette lacks are black
  std::size_t paletteEnd_ = 0;
};

}  // namespace

Image decodeBmp(std::span<const std::uint8_t> bytes) {
  return BmpDecoder(bytes).decode();
}

Image readBmpFile(const std::string& path) {
  return decodePictureFile(path, decodeBmp);
}

}  // namespace kestrova
