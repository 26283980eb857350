#include "imaging/jpeg_reader.h"

#include <algorithm>
#include <array>
#include <utility>

#include "imaging/jpeg_errors.h"
#include "imaging/picture_file.h"

namespace kestrova {
namespace {

struct ColourSpaceRule {
  J_COLOR_SPACE in;
  J_COLOR_SPACE out;
  PixelFormat format;
};
constexpr std::array kColourSpaces{
    ColourSpaceRule{JCS_GRAYSCALE, JCS_GRAYSCALE, PixelFormat::Grey8},
    ColourSpaceRule{JCS_YCbCr, JCS_RGB, PixelFormat::Rgb888},
    ColourSpaceRule{JCS_RGB, JCS_RGB, PixelFormat::Rgb888},
};

constexpr std::array<std::pair<J_COLOR_SPACE, const char*>, 3> kUnsupportedNames{{
    {JCS_CMYK, "CMYK"},
    {JCS_YCCK, "YCCK"},
    {JCS_UNKNOWN, "unknown"},
}};

std::string colourSpaceName(J_COLOR_SPACE space) {
  for (const auto& [value, name] : kUnsupportedNames)
    if (value == space) return name;
  return "number " + std::to_string(static_cast<int>(space));
}

// libjpeg's decompression state, released however the reading ends (destroying a state that
// was never created, or only half, is safe because it starts zeroed).
struct DecompressState {
  JpegErrors errors;
  jpeg_decompress_struct cinfo{};
  DecompressState() { cinfo.err = installJpegErrors(errors); }
  ~DecompressState() { jpeg_destroy_decompress(&cinfo); }
  DecompressState(const DecompressState&) = delete;
  DecompressState& operator=(const DecompressState&) = delete;
};

// A decompressor with the file's headers read.
class Decompressor {
 public:
  explicit Decompressor(std::span<const std::uint8_t> bytes) {
    jpegGuarded(errors_, [&] {
      jpeg_create_decompress(&cinfo_);
      jpeg_mem_src(&cinfo_, bytes.data(), static_cast<unsigned long>(bytes.size()));
      jpeg_read_header(&cinfo_, TRUE);
    });
  }

  const jpeg_decompress_struct& info() const { return cinfo_; }

  Image decode() {
    const ColourSpaceRule& rule = colourSpaceRule();
    checkPictureSize(cinfo_.image_width, cinfo_.image_height);
    cinfo_.out_color_space = rule.out;
    Image image = Image::blank(static_cast<int>(cinfo_.image_width),
                               static_cast<int>(cinfo_.image_height), rule.format);
    jpegGuarded(errors_, [&] { decodeInto(image); });
    return image;
  }

 private:
  const ColourSpaceRule& colourSpaceRule() const {
    for (const auto& rule : kColourSpaces)
      if (rule.in == cinfo_.jpeg_color_space) return rule;
    throw Error("Unsupported JPEG colour space: " + colourSpaceName(cinfo_.jpeg_color_space) +
                " (" + std::to_string(cinfo_.num_components) + " components)");
  }

  // Scanlines go straight into the picture's rows; nothing here may own memory (see jpegGuarded).
  void decodeInto(Image& image) {
    jpeg_start_decompress(&cinfo_);
    constexpr int kRowsPerCall = 16;
    while (cinfo_.output_scanline < cinfo_.output_height) {
      JSAMPROW rows[kRowsPerCall];
      int first = static_cast<int>(cinfo_.output_scanline);
      int count = std::min<int>(kRowsPerCall, image.height - first);
      for (int i = 0; i < count; ++i) rows[i] = image.row(first + i);
      jpeg_read_scanlines(&cinfo_, rows, static_cast<JDIMENSION>(count));
    }
    jpeg_finish_decompress(&cinfo_);
  }

  DecompressState state_;
  JpegErrors& errors_ = state_.errors;
  jpeg_decompress_struct& cinfo_ = state_.cinfo;
};

}  // namespace

Image decodeJpeg(std::span<const std::uint8_t> bytes) {
  return Decompressor(bytes).decode();
}

Image readJpegFile(const std::string& path) {
  return decodePictureFile(path, decodeJpeg);
}

JpegInfo inspectJpeg(std::span<const std::uint8_t> bytes) {
  Decompressor decompressor(bytes);
  const jpeg_decompress_struct& cinfo = decompressor.info();
  JpegInfo info;
  info.width = static_cast<int>(cinfo.image_width);
  info.height = static_cast<int>(cinfo.image_height);
  info.components = cinfo.num_components;
  for (int i = 0; i < cinfo.num_components; ++i)
    info.sampling.push_back({cinfo.comp_info[i].h_samp_factor, cinfo.comp_info[i].v_samp_factor});
  info.progressive = cinfo.progressive_mode;
  info.jfif = cinfo.saw_JFIF_marker;
  return info;
}

JpegInfo inspectJpegFile(const std::string& path) {
  return decodePictureFile(path, inspectJpeg);
}

}  // namespace kestrova
