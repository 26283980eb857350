// The picture requests as the front end's batch strings send them: the files they name, what is
// made once, and the RGB channel choice.
#include <gtest/gtest.h>

#include <sstream>

#include "varnock/decoder_options.h"

namespace kestrova::varnock {
namespace {

// The arguments the front end sends for a batch string (one per word, D5).
DecoderOptions parseLine(const std::string& batch) {
  std::vector<std::string> arguments{"/data/n18_1012.hrp", "-direction:south",
                                     "-output:/images/n18_1012"};
  std::istringstream words(batch);
  for (std::string word; words >> word;) arguments.push_back(word);
  return parseDecoderOptions(arguments);
}

std::vector<std::string> fileNames(const DecoderOptions& options) {
  std::vector<std::string> names;
  for (const Item& item : options.items) names.push_back(itemFileName(options.outputBase, item));
  return names;
}

TEST(DecoderItems, FrontEndBatchStringsNameTheFilesTheFrontEndLooksFor) {
  const DecoderOptions first = parseLine(
      "-fc:.jpg -fc:apt.jpg -ch1:.bmp  -fc:corr.jpg  -rgb:R1G2B4:.jpg  -temp:.jpg -close -min");
  EXPECT_EQ(fileNames(first),
            (std::vector<std::string>{"/images/n18_1012-fc.jpg", "/images/n18_1012-fc-apt.jpg",
                                      "/images/n18_1012-c1.bmp", "/images/n18_1012-fc-corr.jpg",
                                      "/images/n18_1012-rgb.jpg", "/images/n18_1012-temp.jpg"}));
  EXPECT_TRUE(first.close);
  EXPECT_TRUE(first.minimised);
  EXPECT_EQ(first.direction, Direction::South);
  // The remap source ticked as well: asked twice, made once; file tags, not option suffixes.
  const DecoderOptions second = parseLine("-sst:.jpg -sst:apt.jpg -ch4:corr.bmp  -sst:.jpg  -min");
  EXPECT_EQ(fileNames(second),
            (std::vector<std::string>{"/images/n18_1012-st.jpg", "/images/n18_1012-st-apt.jpg",
                                      "/images/n18_1012-c4-corr.bmp"}));
  EXPECT_FALSE(second.close);
  const DecoderOptions every = parseLine(
      "-ch2:.jpg -ch3:.jpg -ch5:.jpg -UserRGB:.jpg -ndvi:.jpg -dch4ch5:apt.bmp -userrgb:.JPG");
  EXPECT_EQ(fileNames(every),
            (std::vector<std::string>{"/images/n18_1012-c2.jpg", "/images/n18_1012-c3.jpg",
                                      "/images/n18_1012-c5.jpg", "/images/n18_1012-usr.jpg",
                                      "/images/n18_1012-vg.jpg", "/images/n18_1012-wv-apt.bmp"}));
}

TEST(DecoderItems, RgbItemsShareTheOneChannelChoice) {
  // The leading pair names the remap source without channels; the ticked item carries them.
  const DecoderOptions chosen = parseLine("-rgb:.jpg -rgb:apt.jpg -rgb:R3G2B1:corr.jpg");
  ASSERT_EQ(chosen.items.size(), 3u);
  for (const Item& item : chosen.items) EXPECT_EQ(item.rgb, (std::array<int, 3>{3, 2, 1}));
  const DecoderOptions none = parseLine("-rgb:.jpg -rgb:apt.jpg");
  EXPECT_EQ(none.items.front().rgb, (std::array<int, 3>{1, 2, 4}));
  EXPECT_THROW(parseLine("-rgb:R1G2B4:.jpg -rgb:R5G4B3:.jpg"), UsageError);
  EXPECT_EQ(parseLine("-rgb:R1G2B4:.jpg -rgb:r1g2b4:.jpg").items.size(), 1u);
}

TEST(DecoderItems, MalformedItemsNameTheArgumentAndTheFault) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"-rgb:RGB:.jpg", "channel ''"},      // empty channel boxes on the panel
      {"-rgb:R7G2B4:.jpg", "channel '7'"},  // typed channel
      {"-rgb:R1G2:.jpg", "R<channel>G<channel>B<channel>"},
      {"-fc:R1G2B4:.jpg", "only -rgb"},
      {"-fc:.png", ".jpg or .bmp"},
      {"-fc:", ".jpg or .bmp"},
      {"-fc:cor.jpg", "'cor' is neither corr nor apt"},
      {"-fc:corrapt.jpg", "neither corr nor apt"},
  };
  for (const auto& [argument, cause] : cases) {
    try {
      parseItem(argument);
      ADD_FAILURE() << argument << " accepted";
    } catch (const UsageError& e) {
      EXPECT_NE(std::string(e.what()).find("'" + argument + "'"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(cause), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace kestrova::varnock
