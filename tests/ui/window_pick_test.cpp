// Picking a data file: the Details box, the run commands, the preview choice and the command
// line shown.
#include <QScrollArea>

#include "ui/support/window_fixture.h"

namespace kestrova::testing {
namespace {

class Pick : public WindowTest {
 protected:
  std::string thumb(const std::string& base) const { return passes() + "/" + base + ".thumb.jpg"; }
};

TEST_F(Pick, FillsTheDetailsEnablesTheRunsAndShowsTheDecoderLine) {
  addPass("n18_1012.hrp");
  startWith(stationSettings());
  pick("n18_1012.hrp");
  EXPECT_EQ(text("Label14"), "n18_1012.hrp");
  EXPECT_EQ(text("Label15"), images());
  EXPECT_EQ(text("Label12"), "Varnock batch string");
  EXPECT_EQ(text("batchstring"), "\"" + programs() + "Varnock.exe\" \"" + passes() +
                                     "/n18_1012.hrp\" -direction:south \"-output:" + images() +
                                     "n18_1012\" -fc:.jpg  -fc:apt.jpg -close");
  for (const char* command : {"m_HRPTsave", "m_Ostrellesave"})
    EXPECT_TRUE(action(command)->isEnabled()) << command;
  for (const char* button : {"doit00", "doit01"}) EXPECT_TRUE(find(button)->isEnabled()) << button;
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(Pick, DecodedPreviewBeatsTheThumbnailWhichBeatsNothing) {
  for (const char* pass : {"both.hrp", "thumb.hrp", "none.hrp", "folder.hrp"}) addPass(pass);
  writePicture(thumb("both"), 40);
  writePicture(images() + "both-fc-apt.jpg", 200);
  writePicture(thumb("thumb"), 80);
  writePicture(thumb("folder"), 120);
  std::filesystem::create_directories(images() + "folder-fc-apt.jpg");  // a folder is no picture
  startWith(stationSettings());

  pick("both.hrp");
  EXPECT_NEAR(previewGrey(), 200, 3);
  pick("thumb.hrp");
  EXPECT_NEAR(previewGrey(), 80, 3);
  pick("folder.hrp");
  EXPECT_NEAR(previewGrey(), 120, 3);
  pick("none.hrp");
  EXPECT_EQ(previewGrey(), -1);
}

TEST_F(Pick, GacFileShowsItsRemapPictureAndNeverTheThumbnail) {
  addPass("pass17.0712.gac");
  addPass("other.hrp");
  writePicture(thumb("pass17"), 40);
  writePicture(thumb("other"), 160);
  startWith(stationSettings());
  pick("other.hrp");
  ASSERT_NEAR(previewGrey(), 160, 3);
  pick("pass17.0712.gac");
  EXPECT_EQ(previewGrey(), -1);  // cleared: the thumbnail does not count for GAC
  writePicture(images() + "pass17-fc.jpg", 220);
  pick("pass17.0712.gac");
  EXPECT_NEAR(previewGrey(), 220, 3);
}

TEST_F(Pick, EntryWithoutAFullStopHasAnEmptyBaseName) {
  addPass("rawpass");
  startWith(stationSettings());
  chooseFilter("Other (*.*)");
  pick("rawpass");
  EXPECT_NE(
      text("batchstring")
          .find("\"" + passes() + "/rawpass\" -direction:south \"-output:" + images() + "\" "),
      std::string::npos)
      << text("batchstring");
}

TEST_F(Pick, RemapSourceZeroNamesPicturesWithItsFileTag) {
  addPass("n18.hrp");
  writePicture(images() + "n18-c1-apt.jpg", 90);
  StoredSettings stored = stationSettings();
  stored.remapSource = 0;
  startWith(stored);
  pick("n18.hrp");
  EXPECT_NEAR(previewGrey(), 90, 3);
}

// The loader's error ends the pick: the names are set, but the command line is not shown.
TEST_F(Pick, UnreadablePreviewIsReportedAndKeepsTheOldCommandLine) {
  addPass("good.hrp");
  addPass("bad.hrp");
  TempFolder::writeFile(images() + "bad-fc-apt.jpg", "not a picture");
  startWith(stationSettings());
  pick("good.hrp");
  std::string goodLine = text("batchstring");
  pick("bad.hrp");
  ASSERT_EQ(dialogs.errors().size(), 1u);
  EXPECT_NE(dialogs.errors().front().find("bad-fc-apt.jpg"), std::string::npos)
      << dialogs.errors().front();
  EXPECT_EQ(text("batchstring"), goodLine);
  EXPECT_EQ(text("Label14"), "bad.hrp");
}

// Contracting returns the display to its start-up box, so the whole picture stays visible.
TEST_F(Pick, ExpandShowsTheNaturalSizeAndContractRestoresTheStartUpBox) {
  addPass("big.hrp");
  addPass("none.hrp");
  writePicture(images() + "big-fc-apt.jpg", 100, 600, 900);
  startWith(stationSettings());
  pick("big.hrp");
  auto* picture = find<QLabel>("SatPic");
  auto* frame = find<QScrollArea>("SatPicFrame");
  ASSERT_EQ(picture->size(), QSize(261, 398));

  click("Button2");
  EXPECT_EQ(picture->size(), QSize(600, 900));
  EXPECT_FALSE(picture->hasScaledContents());
  EXPECT_EQ(frame->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

  click("Button2");
  EXPECT_EQ(picture->size(), QSize(261, 398));
  EXPECT_TRUE(picture->hasScaledContents());
  EXPECT_EQ(frame->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

  click("Button2");
  pick("none.hrp");
  EXPECT_EQ(previewGrey(), -1);
  EXPECT_EQ(window->session().expanded, 1);
}

}  // namespace
}  // namespace kestrova::testing
