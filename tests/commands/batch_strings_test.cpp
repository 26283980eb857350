#include "commands/batch_strings.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

DecoderOptionsInput channels(DecoderOptionsInput in) {
  in.rgbRed = "1";
  in.rgbGreen = "2";
  in.rgbBlue = "4";
  return in;
}

TEST(DecoderOptions, FirstWorkedExample) {
  DecoderOptionsInput in = channels({});
  in.remapSource = 5;
  in.productEnabled = {1, 0, 0, 0, 0, 1, 1, 0, 1, 0, 0, 0};
  in.productBitmap[0] = 1;
  in.productCorrected[5] = 1;
  in.closeBox = in.minimiseBox = true;
  DecoderOptions out = buildDecoderOptions(in);
  EXPECT_EQ(
      out.text,
      "-fc:.jpg -fc:apt.jpg -ch1:.bmp  -fc:corr.jpg  -rgb:R1G2B4:.jpg  -temp:.jpg -close -min");
  EXPECT_EQ(out.closeDecoder, 1);
  EXPECT_EQ(out.runMinimised, 1);
}

TEST(DecoderOptions, SecondWorkedExample) {
  DecoderOptionsInput in = channels({});
  in.remapSource = 9;
  in.productEnabled[3] = in.productCorrected[3] = in.productBitmap[3] = 1;
  in.productEnabled[9] = 1;
  in.minimiseBox = true;
  DecoderOptions out = buildDecoderOptions(in);
  EXPECT_EQ(out.text, "-sst:.jpg -sst:apt.jpg -ch4:corr.bmp  -sst:.jpg  -min");
  EXPECT_EQ(out.closeDecoder, 0);
  EXPECT_EQ(out.runMinimised, 1);
}

TEST(DecoderOptions, SwitchesAloneFollowTheLeadingPair) {
  DecoderOptionsInput in = channels({});
  EXPECT_EQ(buildDecoderOptions(in).text, "-fc:.jpg -fc:apt.jpg ");
  EXPECT_EQ(buildDecoderOptions(in).text.size(), 21u);
  in.minimiseBox = true;
  EXPECT_EQ(buildDecoderOptions(in).text, "-fc:.jpg -fc:apt.jpg  -min");
  in.minimiseBox = false;
  in.closeBox = true;
  EXPECT_EQ(buildDecoderOptions(in).text, "-fc:.jpg -fc:apt.jpg -close");
}

TEST(DecoderOptions, OnlyFlagsEqualToOneCount) {
  DecoderOptionsInput in = channels({});
  in.remapSource = 0;
  in.productEnabled = {2, -1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  in.productCorrected = {1, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  in.productBitmap = {1, 1, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(buildDecoderOptions(in).text, "-ch1:.jpg -ch1:apt.jpg -ch3:.jpg ");
}

TEST(DecoderOptions, RgbItemCarriesTheChannelTextsAsTheyStand) {
  DecoderOptionsInput in;
  in.productEnabled[6] = in.productCorrected[6] = in.productBitmap[6] = 1;
  EXPECT_EQ(buildDecoderOptions(in).text, "-fc:.jpg -fc:apt.jpg -rgb:RGB:corr.bmp ");
  in.rgbRed = " 3";
  in.rgbGreen = "x";
  in.rgbBlue = "5";
  in.productCorrected[6] = in.productBitmap[6] = 0;
  in.productEnabled[7] = 1;  // User-RGB has no channel part
  EXPECT_EQ(buildDecoderOptions(in).text, "-fc:.jpg -fc:apt.jpg -rgb:R 3GxB5:.jpg  -UserRGB:.jpg ");
}

TEST(DecoderOptions, RemapSourceTickedIsNamedThreeTimes) {
  DecoderOptionsInput in = channels({});
  in.remapSource = 11;
  in.productEnabled[11] = 1;
  EXPECT_EQ(buildDecoderOptions(in).text, "-dch4ch5:.jpg -dch4ch5:apt.jpg -dch4ch5:.jpg ");
}

TEST(RemapOptions, DefaultsAndLiteralTexts) {
  MapRequest map{"60", "40", "-10", "10", "800", "600", "Polar"};
  EXPECT_EQ(buildRemapOptions(map),
            " -lat1:60 -lat2:40 -lon1:-10 -lon2:10 -width:800 -height:600 -proj:Polar");
  map.latSouth = "";
  map.lonEast = "1 0x";
  map.projection = "Gnomonic ";
  EXPECT_EQ(buildRemapOptions(map),
            " -lat1:60 -lat2: -lon1:-10 -lon2:1 0x -width:800 -height:600 -proj:Gnomonic ");
}

}  // namespace
}  // namespace kestrova
