#include "workflow/text_pieces.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace kestrova {
namespace {

TEST(TextPieces, HeadAndTailChars) {
  EXPECT_EQ(headChars("pass1030", 4), "pass");
  EXPECT_EQ(headChars("ab", 5), "ab");
  EXPECT_EQ(headChars("ab", 0), "");
  EXPECT_EQ(headChars("ab", -1), "");
  EXPECT_EQ(tailChars("x.gac", 3), "gac");
  EXPECT_EQ(tailChars("ac", 3), "ac");
  EXPECT_EQ(tailChars("/data/", 1), "/");
  EXPECT_EQ(tailChars("", 1), "");
}

TEST(TextPieces, IndexFromNameReadsTheLastThreeCharacters) {
  EXPECT_EQ(IndexFromName("chan005"), 5);
  EXPECT_EQ(IndexFromName("ostrellepic011"), 11);
  EXPECT_EQ(IndexFromName("bmp000"), 0);
  try {
    IndexFromName("Regions");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'ons' is not a valid integer value");
  }
}

TEST(TextPieces, TwoDigitNumber) {
  EXPECT_EQ(TwoDigitNumber(0), "00");
  EXPECT_EQ(TwoDigitNumber(7), "07");
  EXPECT_EQ(TwoDigitNumber(11), "11");
  EXPECT_EQ(TwoDigitNumber(19), "19");
  EXPECT_EQ(TwoDigitNumber(-1), "-1");
  EXPECT_EQ(TwoDigitNumber(123), "123");
}

}  // namespace
}  // namespace kestrova
