// Damaged, truncated and foreign data: the reader raises libjpeg's own message, never crashes,
// and never hands back a picture libjpeg patched up with grey.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <functional>

#include <jpeglib.h>

#include "base/error.h"
#include "imaging/jpeg_reader.h"
#include "imaging/jpeg_writer.h"
#include "support/temp_folder.h"
#include "synthetic_pictures.h"

namespace kestrova {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

Bytes goodJpeg() {
  return encodeJpeg(testing::scenePicture(96, 64, PixelFormat::Rgb888, 10), {85});
}

// The offset of the first marker 0xff, code in bytes.
std::size_t markerAt(const Bytes& bytes, std::uint8_t code) {
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xff && bytes[i + 1] == code) return i;
  ADD_FAILURE() << "no marker " << int(code);
  return 0;
}

void putBigEndian16(Bytes& bytes, std::size_t at, int value) {
  bytes[at] = static_cast<std::uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<std::uint8_t>(value);
}

// The frame header: marker, length, precision, height, width.
void setFrameSize(Bytes& bytes, int width, int height) {
  std::size_t frame = markerAt(bytes, 0xc0);
  putBigEndian16(bytes, frame + 5, height);
  putBigEndian16(bytes, frame + 7, width);
}

struct Damage {
  const char* name;
  std::function<void(Bytes&)> apply;
  std::string message;
  bool inHeaders;  // inspecting finds it too; damage behind the headers needs a decode
};

class JpegDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(JpegDamage, RaisesLibjpegsMessage) {
  Bytes bytes = goodJpeg();
  GetParam().apply(bytes);
  EXPECT_THAT([&] { decodeJpeg(bytes); }, ThrowsMessage<Error>(StrEq(GetParam().message)));
  if (GetParam().inHeaders) {
    EXPECT_THAT([&] { inspectJpeg(bytes); }, ThrowsMessage<Error>(StrEq(GetParam().message)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, JpegDamage,
    ::testing::Values(Damage{"NotAJpeg", [](Bytes& b) { std::copy_n("\x89PNG\r\n", 6, b.begin()); },
                             "Not a JPEG file: starts with 0x89 0x50", true},
                      Damage{"Empty", [](Bytes& b) { b.clear(); }, "Empty input file", true},
                      Damage{"TruncatedInTheHeaders", [](Bytes& b) { b.resize(40); },
                             "Premature end of JPEG file", true},
                      Damage{"TruncatedInTheData", [](Bytes& b) { b.resize(b.size() / 2); },
                             "Premature end of JPEG file", false},
                      Damage{"MarkerInsideTheData",
                             [](Bytes& b) {
                               std::size_t at =
                                   markerAt(b, 0xda) + (b.size() - markerAt(b, 0xda)) / 2;
                               b[at] = 0xff;
                               b[at + 1] = 0xd9;
                             },
                             "Corrupt JPEG data: premature end of data segment", false},
                      Damage{"JunkBetweenMarkers",
                             [](Bytes& b) {
                               b.insert(b.begin() + markerAt(b, 0xda), {'a', 'b', 'c'});
                             },
                             "Corrupt JPEG data: 3 extraneous bytes before marker 0xda", true},
                      Damage{"SideBeyondLibjpegsLimit",
                             [](Bytes& b) { setFrameSize(b, 65535, 64); },
                             "Maximum supported image dimension is 65500 pixels", true},
                      Damage{"AreaBeyondOurLimit", [](Bytes& b) { setFrameSize(b, 30000, 20000); },
                             "Picture size 30000 x 20000 exceeds 400 megapixels", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A CMYK file, made with libjpeg itself since our writer never makes one.
Bytes cmykJpeg() {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 8;
  cinfo.image_height = 8;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(8 * 4, 100);
  while (cinfo.next_scanline < 8) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

TEST(JpegColourSpace, CmykIsRefusedByNameButCanBeInspected) {
  Bytes bytes = cmykJpeg();
  EXPECT_EQ(inspectJpeg(bytes).components, 4);
  EXPECT_THAT([&] { decodeJpeg(bytes); },
              ThrowsMessage<Error>(StrEq("Unsupported JPEG colour space: CMYK (4 components)")));
}

class JpegFileErrors : public testing::TemporaryFolder {};

TEST_F(JpegFileErrors, NameTheFileBeforeTheCause) {
  const std::string text = file("notes.jpg");
  std::ofstream(text) << "hello";
  const std::string missing = file("missing.jpg");
  const std::pair<std::string, std::string> cases[] = {
      {text, "Not a JPEG file: starts with 0x68 0x65"},
      {missing, "No such file or directory"},
      {folder().string(), "Is a directory"},
  };
  for (const auto& [path, cause] : cases) {
    const std::string& name = path;  // lambdas may not capture structured bindings in clang 14
    EXPECT_THAT([&] { readJpegFile(name); },
                ThrowsMessage<Error>(StrEq("Cannot read picture '" + path + "': " + cause)));
  }
}

}  // namespace
}  // namespace kestrova
