#include "avhrr/peers/peer_dump.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <regex>

#include "base/error.h"
#include "support/temp_folder.h"

namespace kestrova::avhrr {
namespace {

constexpr int kLines = 3, kWidth = 4;

Pass smallPass() {
  Pass pass;
  pass.satellite = satelliteByName("NOAA-19");
  pass.width = kWidth;
  pass.lines.resize(kLines);
  for (int l = 0; l < kLines; ++l) pass.lines[l].time = 1750507200000 + l * 167;
  pass.lines[1].quality = LineQuality::Missing;
  pass.lines[2].channel3 = Channel3::A3;
  pass.allocateCounts();
  for (int c = 0; c < kChannelCount; ++c)
    for (int l = 0; l < kLines; ++l)
      for (int s = 0; s < kWidth; ++s)
        pass.row(c, l)[s] = static_cast<std::uint16_t>(100 * c + 10 * l + s);
  return pass;
}

// The byte offset the description gives an array, or -1 when it is absent.
long offsetOf(const std::string& json, const std::string& name) {
  std::smatch m;
  const std::regex re("\"" + name + "\": \\{[^}]*\"offset\": (\\d+)\\}");
  return std::regex_search(json, m, re) ? std::stol(m[1]) : -1;
}

template <typename T>
T at(const std::string& bin, long offset, int index) {
  T value;
  std::memcpy(&value, bin.data() + offset + index * static_cast<long>(sizeof(T)), sizeof(T));
  return value;  // the test machine is little-endian like the format
}

TEST(PeerDump, WritesThePassAsTheScriptsReadIt) {
  const testing::TempFolder folder;
  PeerDump dump = peerDumpOfPass(smallPass(), "kestrova avhrr", "pass \"1\".hrp");
  std::vector<float> bt(kLines * kWidth, 250.5f);
  bt[5] = NAN;
  dump.setValues("bt_4", bt);
  const std::vector<int> columns{0, 3};
  dump.setGeolocation(columns, std::vector<float>{50, 51, 52, 53, 54, 55},
                      std::vector<float>{-1, -2, -3, -4, -5, -6});
  dump.write(folder.file("ours"));

  const std::string json = folder.read("ours.json"), bin = folder.read("ours.bin");
  EXPECT_NE(json.find("\"format\": \"kestrova-avhrr-dump\""), std::string::npos);
  EXPECT_NE(json.find("\"source\": \"pass \\\"1\\\".hrp\""), std::string::npos);
  EXPECT_NE(json.find("\"satellite\": \"NOAA-19\""), std::string::npos);
  EXPECT_NE(json.find("\"data\": \"ours.bin\""), std::string::npos);
  EXPECT_NE(json.find("\"counts_2\": {\"dtype\": \"<u2\", \"shape\": [3, 4]"), std::string::npos);

  for (const char* name : {"time_ms", "channel3", "counts_1", "counts_3", "counts_5", "bt_4",
                           "geo_columns", "latitude", "longitude"}) {
    const long offset = offsetOf(json, name);
    ASSERT_GE(offset, 0) << name;
    EXPECT_EQ(offset % 8, 0) << name;
  }
  EXPECT_EQ(at<std::int64_t>(bin, offsetOf(json, "time_ms"), 2), 1750507200334);
  EXPECT_EQ(at<std::uint8_t>(bin, offsetOf(json, "channel3"), 2), 1);
  const long counts3 = offsetOf(json, "counts_3");
  EXPECT_EQ(at<std::uint16_t>(bin, counts3, 3), 203);                // line 0, sample 3
  EXPECT_EQ(at<std::uint16_t>(bin, counts3, kWidth + 1), kNoCount);  // the missing line
  EXPECT_EQ(at<std::uint16_t>(bin, counts3, 2 * kWidth), 220);
  EXPECT_EQ(at<float>(bin, offsetOf(json, "bt_4"), 0), 250.5f);
  EXPECT_TRUE(std::isnan(at<float>(bin, offsetOf(json, "bt_4"), 5)));
  EXPECT_EQ(at<std::int32_t>(bin, offsetOf(json, "geo_columns"), 1), 3);
  EXPECT_EQ(at<float>(bin, offsetOf(json, "longitude"), 5), -6.0f);
}

TEST(PeerDump, RefusesArraysThatDoNotFitAndUnwritableFiles) {
  PeerDump dump({"p", "s", "NOAA-19", kLines, kWidth});
  EXPECT_THROW(dump.setTimes(std::vector<UtcMs>(kLines + 1)), Error);
  EXPECT_THROW(dump.setCounts(6, std::vector<std::uint16_t>(kLines * kWidth)), Error);
  EXPECT_THROW(dump.setCounts(1, std::vector<std::uint16_t>(kLines * kWidth - 1)), Error);
  EXPECT_THROW(dump.setValues("bt_6", std::vector<float>(kLines * kWidth)), Error);
  EXPECT_THROW(dump.setGeolocation(std::vector<int>{1}, std::vector<float>(kLines),
                                   std::vector<float>(kLines - 1)),
               Error);
  try {
    dump.write("/nonexistent-folder/ours");
    FAIL() << "wrote into a folder that does not exist";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent-folder/ours.bin"), std::string::npos);
  }
}

}  // namespace
}  // namespace kestrova::avhrr
