// Writing a picture as JPEG and reading it back: the file has the structure asked for and the
// pixels come back close to what went in.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/error.h"
#include "imaging/jpeg_reader.h"
#include "imaging/jpeg_writer.h"
#include "support/temp_folder.h"
#include "synthetic_pictures.h"

namespace kestrova {
namespace {

using testing::pixelError;
using testing::scenePicture;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

struct RoundTrip {
  const char* name;
  PixelFormat format;
  JpegWriteOptions options;
  std::vector<JpegSampling> sampling;
};

class JpegRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(JpegRoundTrip, KeepsStructureAndPixels) {
  const RoundTrip& trip = GetParam();
  // An odd width gives rows with padding; an odd height a partial block row at the bottom.
  Image original = scenePicture(203, 151, trip.format);
  std::vector<std::uint8_t> bytes = encodeJpeg(original, trip.options);

  JpegInfo info = inspectJpeg(bytes);
  EXPECT_EQ(info.width, 203);
  EXPECT_EQ(info.height, 151);
  EXPECT_EQ(info.components, static_cast<int>(trip.sampling.size()));
  EXPECT_EQ(info.sampling, trip.sampling);
  EXPECT_EQ(info.progressive, trip.options.progressive);
  EXPECT_TRUE(info.jfif);

  Image decoded = decodeJpeg(bytes);
  ASSERT_EQ(decoded.format, trip.format);
  ASSERT_EQ(decoded.width, 203);
  ASSERT_EQ(decoded.height, 151);
  EXPECT_EQ(decoded.stride % 4, 0u);
  testing::PixelError error = pixelError(original, decoded);
  EXPECT_LT(error.mean, 2.0);
  EXPECT_LT(error.largest, 40);
}

constexpr JpegWriteOptions kSubsampled{90, ChromaSubsampling::TwoByTwo, false};
constexpr JpegWriteOptions kFullChromaProgressive{90, ChromaSubsampling::None, true};
const std::vector<JpegSampling> kGrey{{1, 1}};

INSTANTIATE_TEST_SUITE_P(
    Kinds, JpegRoundTrip,
    ::testing::Values(
        RoundTrip{
            "ColourSubsampledBaseline", PixelFormat::Rgb888, kSubsampled, {{2, 2}, {1, 1}, {1, 1}}},
        RoundTrip{"ColourFullChromaProgressive",
                  PixelFormat::Rgb888,
                  kFullChromaProgressive,
                  {{1, 1}, {1, 1}, {1, 1}}},
        RoundTrip{"GreyBaseline", PixelFormat::Grey8, kSubsampled, kGrey},
        RoundTrip{"GreyProgressive", PixelFormat::Grey8, kFullChromaProgressive, kGrey}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegQuality, ShapesSizeAndErrorAndStaysWithinItsRange) {
  Image picture = scenePicture(128, 96, PixelFormat::Rgb888, 8);
  std::vector<std::uint8_t> low = encodeJpeg(picture, {20});
  std::vector<std::uint8_t> high = encodeJpeg(picture, {98});
  EXPECT_LT(low.size(), high.size());
  EXPECT_GT(pixelError(picture, decodeJpeg(low)).mean, pixelError(picture, decodeJpeg(high)).mean);
  for (int quality : {0, 101}) EXPECT_THROW(encodeJpeg(picture, {quality}), Error) << quality;
}

TEST(JpegWriter, RefusesABufferTooSmallForItsSize) {
  Image picture = scenePicture(16, 16, PixelFormat::Grey8);
  picture.pixels.resize(picture.pixels.size() - 1);
  EXPECT_THROW(encodeJpeg(picture), Error);
}

class JpegFiles : public testing::TemporaryFolder {};

TEST_F(JpegFiles, ALargeColourPictureRoundTripsThroughAFile) {
  Image original = scenePicture(2048, 6000, PixelFormat::Rgb888);
  const std::string path = file("large.jpg");
  writeJpegFile(path, original, {85});
  JpegInfo info = inspectJpegFile(path);
  EXPECT_EQ(info.width, 2048);
  EXPECT_EQ(info.height, 6000);
  Image decoded = readJpegFile(path);
  ASSERT_EQ(decoded.width, 2048);
  ASSERT_EQ(decoded.height, 6000);
  EXPECT_EQ(decoded.pixels.size(), decoded.stride * 6000);
  EXPECT_LT(pixelError(original, decoded).mean, 2.5);
}

TEST_F(JpegFiles, WriteFailuresNameTheFileAndTheCause) {
  Image picture = scenePicture(8, 8, PixelFormat::Grey8);
  const std::string missing = file("no-such-folder/picture.jpg");
  EXPECT_THAT([&] { writeJpegFile(missing, picture); },
              ThrowsMessage<Error>(
                  StrEq("Cannot write picture '" + missing + "': No such file or directory")));
}

TEST(JpegFullDisk, AWriteThatRunsOutOfSpaceFailsAndLeavesTheDevice) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no full-disk device";
  Image picture = scenePicture(64, 64, PixelFormat::Rgb888, 20);
  EXPECT_THAT(
      [&] { writeJpegFile("/dev/full", picture); },
      ThrowsMessage<Error>(StrEq("Cannot write picture '/dev/full': No space left on device")));
  EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

}  // namespace
}  // namespace kestrova
