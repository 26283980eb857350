// Reading one element set: values from their columns, and clear refusals of damaged lines.
#include "avhrr/orbit/two_line_elements.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

const std::string kLine1 = "1 28057U 03049A   06177.78615833  .00000060  00000-0  35940-4 0  1836";
const std::string kLine2 = "2 28057  98.4283 247.6961 0000884  88.1964 271.9322 14.35478080140550";

TwoLineElements parse(const std::string& line1, const std::string& line2) {
  return parseTwoLineElements(line1, line2, "CBERS 2 ", TextPlace{"weather.txt", 7});
}

// The message of the error parsing throws, or "" when it accepts the lines.
std::string errorOf(const std::string& line1, const std::string& line2) {
  try {
    parse(line1, line2);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Replaces text at a 1-based column and mends the checksum, so only the field is wrong.
std::string withField(std::string line, int column, const std::string& text) {
  line.replace(static_cast<std::size_t>(column - 1), text.size(), text);
  line[68] = static_cast<char>('0' + tleChecksum(line));
  return line;
}

TEST(TwoLineElements, ReadsEveryField) {
  const TwoLineElements e = parse(kLine1, kLine2);
  EXPECT_EQ(e.name, "CBERS 2");
  EXPECT_EQ(e.catalogueNumber, 28057);
  EXPECT_EQ(e.classification, 'U');
  EXPECT_EQ(e.internationalDesignator, "03049A");
  EXPECT_EQ(e.epochYear, 2006);
  EXPECT_DOUBLE_EQ(e.epochDay, 177.78615833);
  EXPECT_DOUBLE_EQ(e.meanMotionDot, 0.0000006);
  EXPECT_DOUBLE_EQ(e.bstar, 0.3594e-4);
  EXPECT_EQ(e.elementSetNumber, 183);
  EXPECT_DOUBLE_EQ(e.inclinationDeg, 98.4283);
  EXPECT_DOUBLE_EQ(e.ascendingNodeDeg, 247.6961);
  EXPECT_DOUBLE_EQ(e.eccentricity, 0.0000884);
  EXPECT_DOUBLE_EQ(e.argumentOfPerigeeDeg, 88.1964);
  EXPECT_DOUBLE_EQ(e.meanAnomalyDeg, 271.9322);
  EXPECT_DOUBLE_EQ(e.meanMotion, 14.35478080);
  EXPECT_EQ(e.revolutionNumber, 14055);
}

TEST(TwoLineElements, ReadsSignedExponentsAndCenturies) {
  const TwoLineElements e =
      parse("1 16925U 86065D   06151.67415771  .02550794 -30915-6  18784-3 0  4486",
            "2 16925  62.0906 295.0239 5596327 245.1593  47.9690  4.88511875148616");
  EXPECT_DOUBLE_EQ(e.meanMotionDdot, -0.30915e-6);
  const TwoLineElements old =
      parse("1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87",
            "2 88888  72.8435 115.9689 0086731  52.6988 110.5714 16.05824518  1058");
  EXPECT_EQ(old.epochYear, 1980);
  EXPECT_TRUE(old.internationalDesignator.empty());
  const TwoLineElements negativeDrag =
      parse("1 21897U 92011A   06176.02341244 -.00001273  00000-0 -13525-3 0  3044",
            "2 21897  62.1749 198.0096 7421690 253.0462  20.1561  2.01269994104880");
  EXPECT_DOUBLE_EQ(negativeDrag.bstar, -0.13525e-3);
  EXPECT_DOUBLE_EQ(negativeDrag.meanMotionDot, -0.00001273);
}

TEST(TwoLineElements, ReadsLetteredCatalogueNumbersPast99999) {
  EXPECT_EQ(parse(withField(kLine1, 3, "A0001"), withField(kLine2, 3, "A0001")).catalogueNumber,
            100001);
  EXPECT_EQ(parse(withField(kLine1, 3, "J2345"), withField(kLine2, 3, "J2345")).catalogueNumber,
            182345);  // I is skipped
  EXPECT_EQ(parse(withField(kLine1, 3, "Z9999"), withField(kLine2, 3, "Z9999")).catalogueNumber,
            339999);
  EXPECT_NE(errorOf(withField(kLine1, 3, "O1234"), withField(kLine2, 3, "O1234"))
                .find("column 3: catalogue number \"O1234\" is not a number"),
            std::string::npos);
}

TEST(TwoLineElements, EpochKeepsItsFraction) {
  const TwoLineElements e = parse(kLine1, kLine2);
  // 2006 day 177.78615833 = 26 June 18:52:04.079712 UTC.
  const UtcMs whole = utcFromYearDay(2006, 177, ((18 * 60 + 52) * 60 + 4) * 1000 + 80);
  EXPECT_EQ(e.epochUtc(), whole);
  EXPECT_NEAR(e.minutesSinceEpoch(whole), 0.000288 / 60.0, 1e-8);
  EXPECT_NEAR(e.minutesSinceEpoch(whole + 90 * 60'000), 90.0 + 0.000288 / 60.0, 1e-8);
}

TEST(TwoLineElements, AcceptsLineEndsAndTrailingBlanks) {
  EXPECT_EQ(errorOf(kLine1 + "\r", kLine2 + "   "), "");
}

TEST(TwoLineElements, RefusesDamagedLinesNamingFileLineAndColumn) {
  struct Case {
    std::string line1, line2, expected;
  };
  std::string badSum = kLine2;
  badSum[68] = '1';
  const Case cases[] = {
      {kLine1, badSum, "weather.txt, line 8, column 69: checksum 1 does not match the line's 0"},
      {kLine1.substr(0, 60), kLine2, "weather.txt, line 7, column 61: the line ends after 60"},
      {kLine1 + " x", kLine2, "line 7, column 70: unexpected text after column 69"},
      {kLine2, kLine1, "line 7, column 1: element line 1 must start with \"1\""},
      {withField(kLine1, 33, "5"), kLine2, "line 7, column 33: expected a blank"},
      {kLine1, withField(kLine2, 3, "28058"),
       "line 8, column 3: catalogue number 28058 differs from line 1's 28057"},
      {withField(kLine1, 3, "28O57"), kLine2, "column 3: catalogue number \"28O57\" is not"},
      {withField(kLine1, 21, "000.78615833"), kLine2, "column 21: epoch day 000.78615833 is not"},
      {withField(kLine1, 21, "366.7861583"), kLine2, "is not a day of 2006"},
      {withField(kLine1, 54, " 35940 4"), kLine2, "column 54: drag term \" 35940 4\" is not"},
      {kLine1, withField(kLine2, 9, " 198.428"), "column 9: inclination 198.428 is outside 0-180"},
      {kLine1, withField(kLine2, 27, "00008.4"), "column 27: eccentricity \"00008.4\" is not"},
      {kLine1, withField(kLine2, 53, " 0.00000000"), "column 53: mean motion must be above zero"},
      {kLine1, withField(kLine2, 53, "14.35.78080"), "column 53: mean motion \"14.35.78080\""},
  };
  for (const Case& c : cases) {
    EXPECT_NE(errorOf(c.line1, c.line2).find(c.expected), std::string::npos)
        << "expected \"" << c.expected << "\", got \"" << errorOf(c.line1, c.line2) << "\"";
  }
}

}  // namespace
}  // namespace kestrova::avhrr
