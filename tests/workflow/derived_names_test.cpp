#include "workflow/derived_names.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

PickInput pickOf(std::string entry, std::string folder = "/hrpt") {
  return PickInput{std::move(entry), std::move(folder), "/images/", 5, "Polar"};
}

TEST(DerivedNames, WorkedExample) {
  Pick pick = derivePick(pickOf("pass1030.HRP"));
  EXPECT_FALSE(pick.isGac);
  EXPECT_EQ(pick.names, (DerivedNames{"pass1030", "/hrpt/pass1030.HRP", "/images/pass1030.lcn",
                                      "/images/pass1030-fc.jpg", "/images/pass1030-fc-Polar.jpg",
                                      "/hrpt/pass1030.thumb.jpg", "/images/pass1030-fc-apt.jpg",
                                      "/images/pass1030-fc.jpg"}));
}

TEST(DerivedNames, BaseNameEndsAtTheFirstDot) {
  EXPECT_EQ(derivePick(pickOf("pass17.0712.gac")).names.baseName, "pass17");
  Pick abc = derivePick(pickOf("a.b.c.hrp"));
  EXPECT_EQ(abc.names.baseName, "a");
  EXPECT_EQ(abc.names.locationFile, "/images/a.lcn");
  EXPECT_EQ(derivePick(pickOf(".hidden.hrp")).names.baseName, "");
}

TEST(DerivedNames, EntryWithoutADotGivesAnEmptyBaseName) {
  Pick pick = derivePick(pickOf("ab"));
  EXPECT_EQ(pick.names.baseName, "");
  EXPECT_EQ(pick.names.locationFile, "/images/.lcn");
  EXPECT_EQ(pick.names.inputPath, "/hrpt/ab");
  EXPECT_EQ(pick.names.thumbPath, "/hrpt/.thumb.jpg");
}

TEST(DerivedNames, GacIsTheLastThreeCharactersInAnyCase) {
  for (const char* entry : {"X.GAC", "x.gac", "x.Gac", "gac", "noaa15gAc"})
    EXPECT_TRUE(derivePick(pickOf(entry)).isGac) << entry;
  for (const char* entry : {"x.gac1", "ac", "x.gac.hrp", "x.lac", ""})
    EXPECT_FALSE(derivePick(pickOf(entry)).isGac) << entry;
}

TEST(DerivedNames, RootFolderGetsOneSeparatorInTheInputAndTwoInTheThumbnail) {
  Pick pick = derivePick(pickOf("n18.hrp", "/"));
  EXPECT_EQ(pick.names.inputPath, "/n18.hrp");
  EXPECT_EQ(pick.names.thumbPath, "//n18.thumb.jpg");
}

TEST(DerivedNames, TagComesFromTheRemapSourceAndProjectionFromTheListText) {
  PickInput in = pickOf("p.hrp");
  in.remapSource = 0;
  in.projectionText = "Mercator";
  in.activeImageFolder = "";
  Pick pick = derivePick(in);
  EXPECT_EQ(pick.names.remapInput, "p-c1.jpg");
  EXPECT_EQ(pick.names.remapOutput, "p-c1-Mercator.jpg");
  EXPECT_EQ(pick.names.aptPreviewPath, "p-c1-apt.jpg");
  EXPECT_EQ(pick.names.gacPreviewPath, pick.names.remapInput);
  in.remapSource = 9;
  EXPECT_EQ(derivePick(in).names.remapInput, "p-st.jpg");
}

}  // namespace
}  // namespace kestrova
