// Element files with many satellites and epochs, and the choice of the set for a pass.
#include "avhrr/orbit/element_sets.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "support/temp_folder.h"

namespace kestrova::avhrr {
namespace {

// NOAA-19 on three days, NOAA-18 once, with and without title lines.
const std::string kFile =
    "NOAA 19 [+]\n"
    "1 33591U 09005A   24100.50000000  .00000100  00000-0  75000-4 0  9990\n"
    "2 33591  99.0000 150.0000 0014000 100.0000 260.0000 14.12500000790000\n"
    "NOAA 18\r\n"
    "1 28654U 05018A   24101.50000000  .00000100  00000-0  75000-4 0  9990\r\n"
    "2 28654  99.0000 150.0000 0014000 100.0000 260.0000 14.12500000790000\r\n"
    "\n"
    "1 33591U 09005A   24102.50000000  .00000100  00000-0  75000-4 0  9990\n"
    "2 33591  99.0000 150.0000 0014000 100.0000 260.0000 14.12500000790000\n"
    "0 NOAA 19\n"
    "1 33591U 09005A   24104.50000000  .00000100  00000-0  75000-4 0  9990\n"
    "2 33591  99.0000 150.0000 0014000 100.0000 260.0000 14.12500000790000\n";

// The test file's lines carry placeholder checksums; put the right ones in.
std::string withChecksums(std::string text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end - start >= 69 && (text[start] == '1' || text[start] == '2')) {
      text[start + 68] = static_cast<char>('0' + tleChecksum(text.substr(start, 69)));
    }
    start = end + 1;
  }
  return text;
}

std::string errorOf(const std::string& text) {
  try {
    parseElementSets(withChecksums(text), "weather.txt");
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST(ElementSets, ReadsSetsWithAndWithoutTitles) {
  const auto sets = parseElementSets(withChecksums(kFile), "weather.txt");
  ASSERT_EQ(sets.size(), 4u);
  EXPECT_EQ(sets[0].name, "NOAA 19 [+]");
  EXPECT_EQ(sets[1].name, "NOAA 18");
  EXPECT_EQ(sets[2].name, "");
  EXPECT_EQ(sets[3].name, "NOAA 19");
  EXPECT_EQ(sets[3].epochDay, 104.5);
}

TEST(ElementSets, PicksTheNearestEpochOfTheSatellite) {
  const auto sets = parseElementSets(withChecksums(kFile), "weather.txt");
  const Satellite& noaa19 = *satelliteByName("NOAA-19");
  const auto epochOfChoice = [&](int day, int hour) {
    return nearestElements(sets, SatelliteKey::of(noaa19),
                           utcFromYearDay(2024, day, hour * 3'600'000LL), "weather.txt")
        .epochDay;
  };
  EXPECT_EQ(epochOfChoice(99, 0), 100.5);    // before every epoch
  EXPECT_EQ(epochOfChoice(101, 11), 100.5);  // 23 h after the first, 25 h before the second
  EXPECT_EQ(epochOfChoice(101, 13), 102.5);  // NOAA-18's set at 101.5 is never taken
  EXPECT_EQ(epochOfChoice(103, 13), 104.5);
  EXPECT_EQ(epochOfChoice(200, 0), 104.5);  // after every epoch
}

TEST(ElementSets, FallsBackToTheTitleWhenTheNumberIsUnknown) {
  const auto sets = parseElementSets(withChecksums(kFile), "weather.txt");
  const TwoLineElements& byName =
      nearestElements(sets, SatelliteKey{0, "noaa-18"}, utcFromYearDay(2024, 90, 0), "weather.txt");
  EXPECT_EQ(byName.catalogueNumber, 28654);
  try {
    nearestElements(sets, SatelliteKey::of(*satelliteByName("MetOp-B")), 0, "weather.txt");
    FAIL() << "found elements for a satellite not in the file";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "weather.txt: no element set for MetOp-B (38771)");
  }
}

TEST(ElementSets, YearComesFromTheNearestEpoch) {
  const auto sets = parseElementSets(withChecksums(kFile), "weather.txt");
  const SatelliteKey noaa19 = SatelliteKey::of(*satelliteByName("NOAA-19"));
  // Epochs on days 100.5-104.5 of 2024: a day more than half a year later is last year's.
  EXPECT_EQ(yearNearestEpoch(sets, noaa19, 104, 0), 2024);
  EXPECT_EQ(yearNearestEpoch(sets, noaa19, 250, 0), 2024);
  EXPECT_EQ(yearNearestEpoch(sets, noaa19, 300, 0), 2023);
  EXPECT_EQ(yearNearestEpoch(sets, noaa19, 366, 0), 2024);  // 2023 had no day 366
  // A set of 2025 day 2 puts late December in 2024 and the first days in 2025.
  const std::string january =
      "1 33591U 09005A   25002.50000000  .00000100  00000-0  75000-4 0  9990\n"
      "2 33591  99.0000 150.0000 0014000 100.0000 260.0000 14.12500000790000\n";
  const auto newYear = parseElementSets(withChecksums(january), "weather.txt");
  EXPECT_EQ(yearNearestEpoch(newYear, noaa19, 366, 0), 2024);
  EXPECT_EQ(yearNearestEpoch(newYear, noaa19, 1, 0), 2025);
  EXPECT_EQ(yearNearestEpoch(newYear, noaa19, 150, 0), 2025);
  EXPECT_EQ(yearNearestEpoch(newYear, noaa19, 200, 0), 2024);  // 168 days before, not 198 after
  EXPECT_EQ(yearNearestEpoch(newYear, SatelliteKey{0, "NOAA 18"}, 1, 0), std::nullopt);
}

TEST(ElementSets, RefusesBrokenFilesNamingTheLine) {
  const std::string line1 =
      "1 33591U 09005A   24100.50000000  .00000100  00000-0  75000-4 0  9990\n";
  const std::string line2 =
      "2 33591  99.0000 150.0000 0014000 100.0000 260.0000 14.12500000790000\n";
  EXPECT_EQ(errorOf("NOAA 19\n" + line1),
            "weather.txt, line 3: element line 2 expected after line 1");
  EXPECT_EQ(errorOf("NOAA 19\n" + line2),
            "weather.txt, line 2: element line 2 without line 1 before it");
  EXPECT_EQ(errorOf("NOAA 19\nNOAA 18\n" + line1 + line2),
            "weather.txt, line 1: title line \"NOAA 19\" is not followed by element lines");
  EXPECT_EQ(errorOf(line1 + line2 + "trailing words\n"),
            "weather.txt, line 3: title line \"trailing words\" is not followed by element lines");
  EXPECT_EQ(errorOf("\n\n"), "weather.txt: no element sets in the file");
  // Errors inside a set name the set's own line in the file.
  std::string bad = withChecksums("X\n\n" + line1 + line2);
  bad[bad.size() - 2] = bad[bad.size() - 2] == '9' ? '0' : '9';
  try {
    parseElementSets(bad, "weather.txt");
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("weather.txt, line 4, column 69"), std::string::npos)
        << e.what();
  }
}

TEST(ElementSets, ReadsAFileAndNamesItWhenMissing) {
  testing::TempFolder folder;
  folder.write("weather.txt", withChecksums(kFile));
  EXPECT_EQ(readElementSets(folder.file("weather.txt")).size(), 4u);
  EXPECT_THROW(readElementSets(folder.file("missing.txt")), Error);
}

}  // namespace
}  // namespace kestrova::avhrr
