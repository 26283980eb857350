// BMP pictures: exact round trips in both kinds, the on-disk row order, palettes, and damaged
// files that must end in an error naming the cause and its byte offset.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "base/error.h"
#include "imaging/bmp_layout.h"
#include "imaging/bmp_reader.h"
#include "imaging/bmp_writer.h"
#include "support/temp_folder.h"
#include "synthetic_pictures.h"

namespace kestrova {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
std::uint32_t get32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

TEST(BmpRoundTrip, OddWidthsComeBackExactlyInBothKinds) {
  for (PixelFormat format : {PixelFormat::Grey8, PixelFormat::Rgb888})
    for (int width : {1, 3, 5, 7}) {
      Image original = testing::randomPicture(width, 4, format, width);
      Bytes bytes = encodeBmp(original);
      const std::size_t bits = format == PixelFormat::Grey8 ? 8 : 24;
      EXPECT_EQ(bytes.size(), get32(bytes, bmp::kPixelOffset) + bmp::rowBytes(width, bits) * 4);
      EXPECT_TRUE(samePixels(decodeBmp(bytes), original)) << width << " " << bits;
    }
}

TEST(BmpLayout, RowsAreStoredBottomUpAndColourAsBlueGreenRed) {
  Image picture = Image::blank(1, 2, PixelFormat::Rgb888);
  picture.row(0)[0] = 1;  // top row: red 1, green 2, blue 3
  picture.row(0)[1] = 2;
  picture.row(0)[2] = 3;
  Bytes bytes = encodeBmp(picture);
  const std::size_t secondRowOnDisk = get32(bytes, bmp::kPixelOffset) + 4;
  EXPECT_EQ(bytes[secondRowOnDisk], 3);
  EXPECT_EQ(bytes[secondRowOnDisk + 1], 2);
  EXPECT_EQ(bytes[secondRowOnDisk + 2], 1);
}

TEST(BmpLayout, TopDownFilesReadInTheSameOrder) {
  Image original = testing::randomPicture(5, 3, PixelFormat::Grey8);
  Bytes bytes = encodeBmp(original);
  const std::size_t pixels = get32(bytes, bmp::kPixelOffset), row = bmp::rowBytes(5, 8);
  put32(bytes, bmp::kHeight, static_cast<std::uint32_t>(-3));
  std::swap_ranges(bytes.begin() + pixels, bytes.begin() + pixels + row,
                   bytes.begin() + pixels + 2 * row);
  EXPECT_TRUE(samePixels(decodeBmp(bytes), original));
}

TEST(BmpPalette, AColourPaletteGivesColourPixelsAndAShortOneBlackBeyondItsEnd) {
  Image grey = Image::blank(3, 1, PixelFormat::Grey8);
  grey.row(0)[0] = 0;
  grey.row(0)[1] = 1;
  grey.row(0)[2] = 200;
  Bytes bytes = encodeBmp(grey);
  const std::size_t palette = bmp::kFileHeaderBytes + bmp::kInfoHeaderBytes;
  bytes[palette + 4] = 10;  // entry 1: blue 10, green 20, red 30
  bytes[palette + 5] = 20;
  bytes[palette + 6] = 30;
  put32(bytes, bmp::kColoursUsed, 2);  // entry 200 now lies beyond the palette
  Image colour = decodeBmp(bytes);
  ASSERT_EQ(colour.format, PixelFormat::Rgb888);
  EXPECT_THAT(std::vector<int>(colour.row(0), colour.row(0) + 9),
              ::testing::ElementsAre(0, 0, 0, 30, 20, 10, 0, 0, 0));
}

struct Damage {
  const char* name;
  std::function<void(Bytes&)> apply;
  std::string message;
};

class BmpDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(BmpDamage, IsRefusedWithTheCauseAndOffset) {
  Bytes bytes = encodeBmp(testing::randomPicture(7, 5, PixelFormat::Rgb888));
  GetParam().apply(bytes);
  EXPECT_THAT([&] { decodeBmp(bytes); }, ThrowsMessage<Error>(HasSubstr(GetParam().message)));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BmpDamage,
    ::testing::Values(
        Damage{"TruncatedHeaders", [](Bytes& b) { b.resize(30); },
               "at byte offset 30: file ends after 30 bytes, inside the 54-byte headers"},
        Damage{
            "TruncatedPixels",
            [](Bytes& b) {
              b.resize(b.size() - 1);
              put32(b, bmp::kFileSize, 0);
            },
            "at byte offset 173: file ends after 119 bytes of pixel data, 7 x 5 pixels need 120"},
        Damage{"DeclaredSizeBeyondTheFile", [](Bytes& b) { b.resize(b.size() - 1); },
               "at byte offset 2: declared file size 174 exceeds the file's 173 bytes"},
        Damage{"BadMagic", [](Bytes& b) { b[0] = 'P'; },
               "at byte offset 0: does not start with \"BM\""},
        Damage{"AbsurdWidth", [](Bytes& b) { put32(b, bmp::kWidth, 0x7fffffff); },
               "at byte offset 18: Picture size 2147483647 x 5 exceeds 65500 pixels on a side"},
        Damage{"SmallestHeight", [](Bytes& b) { put32(b, bmp::kHeight, 0x80000000); },
               "at byte offset 22: Picture size 7 x 2147483648 exceeds"},
        Damage{"ZeroWidth", [](Bytes& b) { put32(b, bmp::kWidth, 0); },
               "at byte offset 18: Picture size 0 x 5 is empty"},
        Damage{"HugeButWithinLimits",
               [](Bytes& b) {
                 put32(b, bmp::kWidth, 20000);
                 put32(b, bmp::kHeight, 20000);
               },
               "20000 x 20000 pixels need 1200000000"},
        Damage{"BadBitDepth", [](Bytes& b) { b[bmp::kBitCount] = 16; },
               "at byte offset 28: bit depth 16 is not supported"},
        Damage{"Compressed", [](Bytes& b) { b[bmp::kCompression] = 1; },
               "at byte offset 30: compression 1 is not supported"},
        Damage{"Planes", [](Bytes& b) { b[bmp::kPlanes] = 2; },
               "at byte offset 26: plane count 2 is not 1"},
        Damage{"CoreHeader", [](Bytes& b) { b[bmp::kHeaderSize] = 12; },
               "at byte offset 14: information header size 12 is not supported"},
        Damage{"HeaderPastTheEnd",
               [](Bytes& b) {
                 put32(b, bmp::kHeaderSize, 124);
                 b.resize(100);
                 put32(b, bmp::kFileSize, 0);
               },
               "at byte offset 14: information header of 124 bytes runs past the file's 100 bytes"},
        Damage{"PixelOffsetInsideTheHeaders", [](Bytes& b) { put32(b, bmp::kPixelOffset, 20); },
               "at byte offset 10: pixel data offset 20 lies outside bytes 54 to 174"},
        Damage{"PixelOffsetPastTheEnd", [](Bytes& b) { put32(b, bmp::kPixelOffset, 0xffffffff); },
               "at byte offset 10: pixel data offset 4294967295 lies outside"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpPaletteDamage, APaletteTooLargeOrPastTheEndIsRefused) {
  Bytes bytes = encodeBmp(testing::randomPicture(3, 3, PixelFormat::Grey8));
  Bytes tooMany = bytes;
  put32(tooMany, bmp::kColoursUsed, 257);
  EXPECT_THAT([&] { decodeBmp(tooMany); },
              ThrowsMessage<Error>(HasSubstr("at byte offset 46: palette of 257 colours")));
  bytes.resize(300);
  put32(bytes, bmp::kFileSize, 0);
  EXPECT_THAT([&] { decodeBmp(bytes); },
              ThrowsMessage<Error>(HasSubstr(
                  "at byte offset 54: palette of 256 colours runs past the file's 300 bytes")));
}

class BmpFiles : public testing::TemporaryFolder {};

TEST_F(BmpFiles, RoundTripThroughAFileAndNameItInErrors) {
  Image original = testing::randomPicture(13, 9, PixelFormat::Rgb888);
  const std::string path = file("picture.bmp");
  writeBmpFile(path, original);
  EXPECT_TRUE(samePixels(readBmpFile(path), original));
  std::filesystem::resize_file(path, 20);
  EXPECT_THAT([&] { readBmpFile(path); },
              ThrowsMessage<Error>(HasSubstr("Cannot read picture '" + path +
                                             "': Invalid BMP file at byte offset 20")));
}

}  // namespace
}  // namespace kestrova
