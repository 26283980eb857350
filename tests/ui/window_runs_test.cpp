// The decoder and remapper runs with real child programs: command lines byte for byte, the
// status item, the overwrite question, the location-file check and the start failure.
#include "commands/process_launcher.h"
#include "ui/support/window_fixture.h"

namespace kestrova::testing {
namespace {

using Lines = std::vector<std::string>;

class Runs : public WindowTest {
 protected:
  void SetUp() override {
    addPass("n18_1012.hrp");
    addPass("n17.0712.gac");
    writePicture(images() + "sample.jpg", 180);
    // The decoder writes the location file and the preview pictures a real run leaves behind.
    writeProgram("Varnock.exe",
                 "for a in \"$@\"; do case \"$a\" in -output:*) out=\"${a#-output:}\";; "
                 "esac; done\ntouch \"$out.lcn\"\ncp \"" +
                     images() + "sample.jpg\" \"$out-fc-apt.jpg\"\ncp \"" + images() +
                     "sample.jpg\" \"$out-fc.jpg\"");
    // The remapper notes whether its output was still there when it started.
    writeProgram("Ostrelle.exe",
                 "for a in \"$@\"; do case \"$a\" in -OUT:*) out=\"${a#-OUT:}\";; "
                 "esac; done\nif [ -e \"$out\" ]; then echo kept; else echo gone; "
                 "fi > \"" +
                     programs() + "output-state\"");
    startWith(stationSettings());
  }
  std::string banner() const { return action("m_banner")->text().toStdString(); }
  std::string remapOutput() const { return images() + "n18_1012-fc-Polar.jpg"; }
  void decode() {
    pick("n18_1012.hrp");
    click("doit00");
  }
};

TEST_F(Runs, DecoderGetsItsArgumentsInTheBrowsedFolderAndThePreviewReloads) {
  pick("n18_1012.hrp");
  ASSERT_EQ(previewGrey(), -1);
  click("doit00");
  EXPECT_EQ(argumentsOf("Varnock.exe"),
            (Lines{passes() + "/n18_1012.hrp", "-direction:south",
                   "-output:" + images() + "n18_1012", "-fc:.jpg", "-fc:apt.jpg", "-close"}));
  EXPECT_EQ(workingFolderOf("Varnock.exe"), passes());
  EXPECT_EQ(banner(), "Processing HRPT file n18_1012.hrp");
  EXPECT_EQ(text("Label12"), "Varnock batch string");
  EXPECT_EQ(text("batchstring"), "\"" + programs() + "Varnock.exe\" \"" + passes() +
                                     "/n18_1012.hrp\" -direction:south \"-output:" + images() +
                                     "n18_1012\" -fc:.jpg  -fc:apt.jpg -close");
  EXPECT_NEAR(previewGrey(), 180, 3);
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(Runs, DirectionChosenAfterThePickReachesOnlyTheRun) {
  pick("n18_1012.hrp");
  click("direction01");
  EXPECT_NE(text("batchstring").find("-direction:south"), std::string::npos);
  action("m_HRPTsave")->trigger();
  EXPECT_EQ(argumentsOf("Varnock.exe").at(1), "-direction:north");
  EXPECT_NE(text("batchstring").find("-direction:north"), std::string::npos);
  click("direction00");
  EXPECT_EQ(window->session().direction, "south");
}

TEST_F(Runs, GacRunNamesItselfAndReloadsTheRemapPicture) {
  pick("n17.0712.gac");
  click("doit00");
  EXPECT_EQ(banner(), "Processing GAC file n17.0712.gac");
  EXPECT_NEAR(previewGrey(), 180, 3);  // n17-fc.jpg, written by the run
}

TEST_F(Runs, FailedStartWarnsAndStillReloadsThePreview) {
  writePicture(passes() + "/n18_1012.thumb.jpg", 60);
  std::filesystem::remove(programs() + "Varnock.exe");
  pick("n18_1012.hrp");
  ASSERT_NEAR(previewGrey(), 60, 3);
  click("doit00");
  EXPECT_EQ(dialogs.warnings(), Lines{kStartFailureText});
  EXPECT_EQ(previewGrey(), -1);  // no decoded picture: the pane empties
}

TEST_F(Runs, RemapperGetsItsArgumentsAndTheLiveMapSettings) {
  decode();
  click("doit01");
  EXPECT_EQ(argumentsOf("Ostrelle.exe"),
            (Lines{"-LCN:" + images() + "n18_1012.lcn", "-IN:" + images() + "n18_1012-fc.jpg",
                   "-OUT:" + remapOutput(), "-lat1:60", "-lat2:40", "-lon1:-10", "-lon2:10",
                   "-width:800", "-height:600", "-proj:Polar"}));
  EXPECT_EQ(text("batchstring"), "\"" + programs() + "Ostrelle.exe\" \"-LCN:" + images() +
                                     "n18_1012.lcn\" \"-IN:" + images() +
                                     "n18_1012-fc.jpg\" \"-OUT:" + remapOutput() +
                                     "\" -lat1:60 -lat2:40 -lon1:-10 -lon2:10 -width:800 "
                                     "-height:600 -proj:Polar");
  EXPECT_EQ(text("Label12"), "Ostrelle batch string");
  EXPECT_EQ(banner(), "Processing location file " + images() + "n18_1012.lcn in Ostrelle");
  EXPECT_EQ(workingFolderOf("Ostrelle.exe"), passes());
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(Runs, ExistingOutputIsDeletedOnYesAndKeptOnNo) {
  decode();
  writePicture(remapOutput(), 10);
  dialogs.answerNo();
  click("doit01");
  EXPECT_EQ(dialogs.texts(ScriptedDialogs::Kind::WarningYesNo),
            Lines{"File exists - Overwrite (Y/N)"});
  EXPECT_EQ(readFile(programs() + "output-state"), "kept\n");
  EXPECT_EQ(argumentsOf("Ostrelle.exe").at(2), "-OUT:" + remapOutput());

  dialogs.answerYes();
  action("m_Ostrellesave")->trigger();
  EXPECT_EQ(readFile(programs() + "output-state"), "gone\n");
}

// A run that cannot start costs nothing: the location file is checked before the overwrite
// question, so an existing output survives.
TEST_F(Runs, MissingLocationFileRefusesTheRunWithoutTouchingTheOutput) {
  pick("n18_1012.hrp");
  writePicture(remapOutput(), 10);
  std::string lineBefore = text("batchstring");
  click("doit01");
  EXPECT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(
      dialogs.warnings(),
      Lines{"You must process this file with Varnock first\nbefore remapping it with Ostrelle!"});
  EXPECT_TRUE(std::filesystem::exists(remapOutput()));
  EXPECT_FALSE(ran("Ostrelle.exe"));
  EXPECT_EQ(banner(), "");
  EXPECT_EQ(text("batchstring"), lineBefore);
}

TEST_F(Runs, RemapperKeepsTheNamesOfTheLastPickAfterTheListIsRefilled) {
  decode();
  chooseFilter("*.GAC");
  click("doit01");
  EXPECT_EQ(argumentsOf("Ostrelle.exe").at(0), "-LCN:" + images() + "n18_1012.lcn");
}

}  // namespace
}  // namespace kestrova::testing
