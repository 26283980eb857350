#include "settings/config_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/config_sample.h"
#include "settings/io_error.h"
#include "support/temp_folder.h"

namespace kestrova {
namespace {

using testing::joinLines;
using testing::sampleLines;
using testing::sampleSettings;

TEST(ConfigReader, ReadsACompleteFile) {
  ConfigReadResult r = parseConfig(joinLines(sampleLines()));
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.linesRead, 56);
  EXPECT_EQ(r.values, sampleSettings());
}

TEST(ConfigReader, TextsKeepSpacesAndTrailingBlanks) {
  auto lines = sampleLines();
  lines[0] = "  /data/with  spaces/  ";
  lines[5] = " -lat1:60 ";
  ConfigReadResult r = parseConfig(joinLines(lines));
  EXPECT_EQ(r.values.dataFolder, "  /data/with  spaces/  ");
  EXPECT_EQ(r.values.remapOptions, " -lat1:60 ");
}

TEST(ConfigReader, BlankLineBeforeAnIntegerShiftsEveryLaterLine) {
  auto lines = sampleLines();
  lines[6] = "";  // line 7 left blank
  ConfigReadResult r = parseConfig(joinLines(lines));
  ASSERT_FALSE(r.stop);
  // Line 7 takes line 8's number and everything after is read one line early: line 42 gets
  // rgbRed's "1", rgbRed gets "2", and the last line reads past the end.
  EXPECT_EQ(r.values.productEnabled[0], 0);
  EXPECT_EQ(r.values.productEnabled[4], 1);
  EXPECT_EQ(r.values.productBitmap[11], 1);
  EXPECT_EQ(r.values.rgbRed, "2");
  EXPECT_EQ(r.values.canvasHeight, "1");
  EXPECT_EQ(r.values.remapSource, 1);
  EXPECT_EQ(r.values.region, 0);  // past the end: 0 without error
}

TEST(ConfigReader, ShortFileReadsEmptyTextsAndZeros) {
  auto lines = sampleLines();
  lines.resize(10);
  ConfigReadResult r = parseConfig(joinLines(lines));
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.linesRead, 56);
  EXPECT_EQ(r.values.productEnabled[3], 0);
  EXPECT_EQ(r.values.rgbRed, "");
  EXPECT_EQ(r.values.canvasWidth, "");
  EXPECT_EQ(r.values.remapSource, 0);
}

TEST(ConfigReader, EmptyFileClearsEverything) {
  ConfigReadResult r = parseConfig("");
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.values.dataFolder, "");
  EXPECT_EQ(r.values.latNorth, "");
  EXPECT_EQ(r.values.remapSource, 0);
}

TEST(ConfigReader, Byte26EndsTheFile) {
  auto lines = sampleLines();
  std::string bytes = joinLines({lines.begin(), lines.begin() + 3}) + "/img\x1a/rest/\r\n" +
                      joinLines({lines.begin() + 4, lines.end()});
  ConfigReadResult r = parseConfig(bytes);
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.values.decoderOptions, lines[2]);
  EXPECT_EQ(r.values.imageFolder, "/img");
  EXPECT_EQ(r.values.remapperFolder, "");
  EXPECT_EQ(r.values.productEnabled[0], 0);
}

TEST(ConfigReader, LfOnlyLineEndsAreLineEnds) {
  ConfigReadResult r = parseConfig(joinLines(sampleLines(), "\n"));
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.values, sampleSettings());
}

TEST(ConfigReader, CrOnlyLineEndsAreLineEnds) {
  ConfigReadResult r = parseConfig(joinLines(sampleLines(), "\r"));
  EXPECT_EQ(r.values, sampleSettings());
}

TEST(ConfigReader, LinesAfterTheLastAreIgnored) {
  auto lines = sampleLines();
  lines.push_back("garbage");
  lines.push_back("x");
  ConfigReadResult r = parseConfig(joinLines(lines));
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.values, sampleSettings());
}

TEST(ConfigReader, IntegerLinesTakeOneTokenAndDiscardTheRestOfTheLine) {
  auto lines = sampleLines();
  lines[6] = "  \t+1 trailing words";
  lines[7] = "7";  // not 0 or 1: kept as it stands
  lines[54] = "-0";
  ConfigReadResult r = parseConfig(joinLines(lines));
  ASSERT_FALSE(r.stop);
  EXPECT_EQ(r.values.productEnabled[0], 1);
  EXPECT_EQ(r.values.productEnabled[1], 7);
  EXPECT_EQ(r.values.remapSource, 0);
  EXPECT_EQ(r.values.region, 1);
}

struct BadInteger {
  const char* token;
};

class ConfigReaderBadInteger : public ::testing::TestWithParam<BadInteger> {};

TEST_P(ConfigReaderBadInteger, StopsWithError106AtItsLine) {
  auto lines = sampleLines();
  lines[19] = GetParam().token;  // line 20, productCorrected[1]
  ConfigReadResult r = parseConfig(joinLines(lines));
  ASSERT_TRUE(r.stop);
  EXPECT_EQ(r.stop->line, 20);
  EXPECT_EQ(r.stop->ioCode, 106);
  EXPECT_EQ(r.stop->message, "Invalid numeric input");
  EXPECT_EQ(r.linesRead, 19);
  EXPECT_EQ(r.values.productCorrected[0], 0);
  EXPECT_EQ(r.values.productEnabled[5], 1);  // read before the stop
  EXPECT_EQ(r.values.rgbRed, "1");           // after the stop: still the default
  try {
    r.stop->raise();
    FAIL();
  } catch (const IoError& e) {
    EXPECT_EQ(e.code(), 106);
  }
}

INSTANTIATE_TEST_SUITE_P(Tokens, ConfigReaderBadInteger,
                         ::testing::Values(BadInteger{"x1"}, BadInteger{"1x"}, BadInteger{"-"},
                                           BadInteger{"2147483648"}, BadInteger{"0x10"},
                                           BadInteger{"123456789012345678901234567890123456"}));

TEST(ConfigReader, ExtremeIntegersAreRead) {
  auto lines = sampleLines();
  lines[6] = "2147483647";
  lines[7] = "-2147483648";
  ConfigReadResult r = parseConfig(joinLines(lines));
  ASSERT_FALSE(r.stop);
  EXPECT_EQ(r.values.productEnabled[0], 2147483647);
  EXPECT_EQ(r.values.productEnabled[1], -2147483647 - 1);
}

TEST(ConfigReader, NonNumericCanvasWidthDoesNotStopTheRead) {
  auto lines = sampleLines();
  lines[49] = "";
  ConfigReadResult r = parseConfig(joinLines(lines));
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.values.canvasWidth, "");
  EXPECT_EQ(r.values.region, 1);
}

struct OutOfRange {
  int line;
  const char* value;
  const char* message;
};

class ConfigReaderOutOfRange : public ::testing::TestWithParam<OutOfRange> {};

TEST_P(ConfigReaderOutOfRange, StopsAtItsLineNamingLineValueAndRange) {
  auto lines = sampleLines();
  lines[GetParam().line - 1] = GetParam().value;
  ConfigReadResult r = parseConfig(joinLines(lines));
  ASSERT_TRUE(r.stop);
  EXPECT_EQ(r.stop->line, GetParam().line);
  EXPECT_EQ(r.stop->ioCode, 0);
  EXPECT_EQ(r.stop->message, GetParam().message);
  EXPECT_EQ(r.linesRead, GetParam().line - 1);
  EXPECT_THROW(r.stop->raise(), Error);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ConfigReaderOutOfRange,
    ::testing::Values(OutOfRange{55, "12", "kestrova.cfg line 55: remap source 12 is outside 0-11"},
                      OutOfRange{55, "-1", "kestrova.cfg line 55: remap source -1 is outside 0-11"},
                      OutOfRange{56, "20", "kestrova.cfg line 56: region 20 is outside 0-19"},
                      OutOfRange{56, "-2147483648",
                                 "kestrova.cfg line 56: region -2147483648 is outside 0-19"}));

TEST(ConfigReaderFile, MissingFileOrFolderOfThatNameReadsNothing) {
  testing::TempFolder folder;
  EXPECT_FALSE(readConfigFile(folder.file("kestrova.cfg")));
  std::filesystem::create_directory(folder.path() / "kestrova.cfg");
  EXPECT_FALSE(readConfigFile(folder.file("kestrova.cfg")));
}

TEST(ConfigReaderFile, ReadsTheFileOnDisk) {
  testing::TempFolder folder;
  folder.write("kestrova.cfg", joinLines(sampleLines()));
  auto r = readConfigFile(folder.file("kestrova.cfg"));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->values, sampleSettings());
}

}  // namespace
}  // namespace kestrova
