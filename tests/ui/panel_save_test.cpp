// Save, Quit and Reset, which edits count, and the folder picker.
#include <sys/stat.h>
#include <QFrame>
#include <QListWidget>

#include "ui/folder_tree.h"
#include "ui/support/panel_fixture.h"
#include "ui/support/without_root_override.h"
#include "workflow/text_pieces.h"

namespace kestrova::testing {
namespace {

using PanelSave = PanelTest;

const std::string kFirstSummary =
    "Do you wish to save these new configuration parameters?\n\n"
    "Raw HRPT Data Folder: /typed/data \n"
    "Path to Varnock program: \n"
    "Folder where images are saved: \n"
    "Path to Ostrelle program: \n"
    "\nHRPT Batch String: \n-fc:.jpg -fc:apt.jpg -ch1:.jpg \n"
    "\nOstrelle Batch String: \n"
    " -lat1:60 -lat2:40 -lon1:-10 -lon2:10 -width:800 -height:600 -proj:Polar";

TEST_F(PanelSave, DoesNothingBeforeTheFirstCountedEdit) {
  start();
  openPanel();
  type(edit("flocation0"), "/typed/data ");
  type(edit("gsize1"), "1");
  save();
  EXPECT_TRUE(dialogs.calls().empty());
  EXPECT_TRUE(panel->isVisible());
  EXPECT_FALSE(configExists());
}

TEST_F(PanelSave, AsksWithTheWholeSummaryOnceAnEditCounted) {
  start();
  openPanel();
  type(edit("flocation0"), "/typed/data ");
  click("chan000");
  dialogs.answerNo();
  save();
  EXPECT_EQ(dialogs.confirmations(), std::vector<std::string>{kFirstSummary});
}

TEST_F(PanelSave, AnsweredNoKeepsTheNewBatchStringsButNotTheFolders) {
  StoredSettings stored;
  stored.imageFolder = "/old/images/";
  startWith(stored);
  std::string before = storedConfig();
  openPanel();
  edit("flocation1")->setText("/new/images/");
  click("chan000");
  click("CloseHRPT");
  dialogs.answerNo();
  save();
  EXPECT_TRUE(panel->isHidden());
  EXPECT_EQ(storedConfig(), before);
  EXPECT_EQ(session.settings.decoderOptions, "-fc:.jpg -fc:apt.jpg -ch1:.jpg  -fc:.bmp -close");
  EXPECT_EQ(session.settings.closeDecoder, 1);
  EXPECT_EQ(session.settings.productEnabled[0], 1);
  EXPECT_EQ(session.settings.imageFolder, "/old/images/");
  EXPECT_EQ(session.activeImageFolder, "/old/images/");
  EXPECT_EQ(text("flocation1"), "/new/images/");
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(PanelSave, AnsweredYesWritesReadsBackAndHides) {
  start();
  openPanel();
  edit("flocation1")->setText("/new/images/");
  click("ostrellepic008");
  dialogs.answerYes();
  save();
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"Saved as " + program.file("kestrova.cfg")});
  EXPECT_TRUE(panel->isHidden());
  ASSERT_TRUE(configExists());
  EXPECT_EQ(session.activeImageFolder, "/new/images/");
  EXPECT_TRUE(box("chan008")->isChecked()) << "the read-back checks the new remap source's boxes";
  EXPECT_TRUE(box("bmp008")->isChecked());
  EXPECT_EQ(session.settings.productBitmap[8], 1);
  EXPECT_EQ(list("Project")->count(), 3) << "the first read fills the projection list";
  EXPECT_TRUE(dialogs.errors().empty());
}

// What Save writes reads back into the same settings and is written again byte for byte.
TEST_F(PanelSave, WritesWhatItReadsByteForByte) {
  StoredSettings s;
  s.dataFolder = program.path().string() + "/";
  s.decoderFolder = "/opt/v dir/";
  s.imageFolder = "/srv/img/";
  s.remapperFolder = "/opt/o/";
  s.productEnabled = {0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
  s.productCorrected = {0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0};
  s.productBitmap = {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
  s.rgbRed = "2";
  s.rgbGreen = "3";
  s.rgbBlue = "5";
  s.latNorth = "65";
  s.latSouth = "45";
  s.lonWest = "-15";
  s.lonEast = "5";
  s.canvasWidth = "1600";
  s.canvasHeight = "1200";
  s.closeDecoder = 1;
  s.runMinimised = 1;
  s.projection = 1;
  s.remapSource = 7;
  s.region = 1;
  s.decoderOptions =
      "-UserRGB:.jpg -UserRGB:apt.jpg -ch2:corr.jpg  -rgb:R2G3B5:.bmp  -UserRGB:.bmp -close -min";
  s.remapOptions = " -lat1:65 -lat2:45 -lon1:-15 -lon2:5 -width:1600 -height:1200 -proj:Linear";
  startWith(s);
  std::string original = storedConfig();
  openPanel();
  click("MinHRPT");
  click("MinHRPT");
  dialogs.answerYes();
  save();
  EXPECT_TRUE(dialogs.errors().empty());
  EXPECT_EQ(storedConfig(), original);
}

TEST_F(PanelSave, FailedWriteReportsItKeepsTheOldFileAndStaysOpen) {
  StoredSettings stored;
  stored.decoderFolder = "/kept/";
  startWith(stored);
  std::string before = storedConfig();
  openPanel();
  click("chan004");
  ::chmod(program.path().c_str(), 0555);
  {
    WithoutRootOverride asUser;
    dialogs.answerYes();
    save();
  }
  ::chmod(program.path().c_str(), 0755);
  EXPECT_EQ(dialogs.errors(), std::vector<std::string>{"File access denied."});
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(storedConfig(), before);
  dialogs.answerNo();
  save();
  EXPECT_EQ(dialogs.confirmations().size(), 2u) << "the edit still counts after a failed Save";
}

using PanelQuit = PanelTest;

TEST_F(PanelQuit, RestoresTheStoredValuesAndHides) {
  StoredSettings stored;
  stored.decoderFolder = "/opt/v/";
  stored.productCorrected[2] = 1;
  startWith(stored);
  openPanel();
  edit("flocation2")->setText("/elsewhere/");
  click("corr002");
  click("canvas04");
  quit();
  EXPECT_TRUE(panel->isHidden());
  EXPECT_EQ(text("flocation2"), "/opt/v/");
  EXPECT_TRUE(box("corr002")->isChecked());
  EXPECT_EQ(session.settings.productCorrected[2], 1);
  EXPECT_EQ(text("gsize0"), "800");
  EXPECT_EQ(text("gsize1"), "600");
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(PanelQuit, WithoutAFileOnlyHides) {
  start();
  openPanel();
  edit("flocation2")->setText("/elsewhere/");
  click("corr002");
  quit();
  EXPECT_TRUE(panel->isHidden());
  EXPECT_EQ(text("flocation2"), "/elsewhere/");
  EXPECT_TRUE(box("corr002")->isChecked());
  EXPECT_FALSE(configExists());
}

using PanelReset = PanelTest;

TEST_F(PanelReset, LeavesOnlyTheFalseColourProductAndAlwaysCounts) {
  StoredSettings stored;
  stored.productEnabled = {1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  stored.productCorrected = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};
  stored.productBitmap = {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  stored.remapSource = 9;
  stored.closeDecoder = 1;
  startWith(stored);
  openPanel();
  click("Button1");
  for (int row = 0; row < kProductCount; ++row) {
    SCOPED_TRACE(row);
    std::string nn = TwoDigitNumber(row);
    EXPECT_EQ(box(("chan0" + nn).c_str())->isChecked(), row == 5);
    EXPECT_FALSE(box(("corr0" + nn).c_str())->isChecked());
    EXPECT_EQ(box(("bmp0" + nn).c_str())->isChecked(), row == 5);
    EXPECT_EQ(session.settings.productEnabled[row], row == 5 ? 1 : 0);
    EXPECT_EQ(session.settings.productCorrected[row], 0);
    EXPECT_EQ(session.settings.productBitmap[row], row == 5 ? 1 : 0);
  }
  EXPECT_TRUE(radio("ostrellepic005")->isChecked());
  EXPECT_EQ(session.settings.remapSource, 5);
  EXPECT_TRUE(find("setRGB")->isHidden());
  EXPECT_TRUE(box("CloseHRPT")->isChecked());

  openPanel();
  click("Button1");
  dialogs.answerNo();
  save();
  EXPECT_EQ(dialogs.confirmations().size(), 1u) << "a reset counts even when nothing changed";
}

// Each action from a freshly opened panel, and whether Save then asks.
struct EditCase {
  const char* what;
  bool counted;
  std::function<void(PanelTest&)> act;
};

class PanelEdits : public PanelTest {
 protected:
  void check(const EditCase& edit) {
    SCOPED_TRACE(edit.what);
    openPanel();
    edit.act(*this);
    EXPECT_EQ(session.DirtyCounter > 0, edit.counted);
  }
};

TEST_F(PanelEdits, CountOnlyTheEditsThatSaveLooksFor) {
  start();
  const EditCase cases[] = {
      {"product box", true, [](PanelTest& t) { t.click("bmp010"); }},
      {"remap source", true, [](PanelTest& t) { t.click("ostrellepic001"); }},
      {"checked remap source again", false, [](PanelTest& t) { t.click("ostrellepic001"); }},
      {"close box", true, [](PanelTest& t) { t.click("CloseHRPT"); }},
      {"minimise box", true, [](PanelTest& t) { t.click("MinHRPT"); }},
      {"channel typed", true, [](PanelTest& t) { t.typeInto("xgrn", "3"); }},
      {"channel picked", true, [](PanelTest& t) { t.pick("xblu", "5"); }},
      {"region picked", true, [](PanelTest& t) { t.pick("Regions", "Japan"); }},
      {"projection picked", true, [](PanelTest& t) { t.pick("Project", "Linear"); }},
      {"canvas preset", true, [](PanelTest& t) { t.click("canvas03"); }},
      {"Set with nothing picked", false, [](PanelTest& t) { t.click("locfind1"); }},
      {"folder typed", false, [](PanelTest& t) { t.type(t.edit("flocation3"), "/x/"); }},
      {"canvas width typed", false, [](PanelTest& t) { t.type(t.edit("gsize0"), "0"); }},
      {"canvas height typed", false, [](PanelTest& t) { t.type(t.edit("gsize1"), "0"); }},
  };
  // The projection list is filled by the first read of a file.
  dialogs.answerYes();
  openPanel();
  click("chan001");
  save();
  for (const EditCase& edit : cases) check(edit);
}

TEST_F(PanelEdits, CountTypingIntoAUserDefinedBound) {
  start();
  openPanel();
  pick("Regions", "-User Defined-");
  openPanel();
  type(edit("coord2"), "5");
  EXPECT_GT(session.DirtyCounter, 0);
  EXPECT_EQ(text("coord2"), "-105");
  EXPECT_EQ(panel->mapRequest().lonWest, "-105");
}

class FolderPicker : public PanelTest {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(program.path() / "Beta" / "inner");
    std::filesystem::create_directories(program.path() / "alpha");
    std::filesystem::create_directories(program.path() / ".hidden");
    std::filesystem::current_path(program.path());
    start();
    openPanel();
  }
  QListWidget* tree() { return find<QListWidget>("Dir002"); }
  QListWidgetItem* row(const std::filesystem::path& folder) {
    for (int i = 0; i < tree()->count(); ++i)
      if (tree()->item(i)->data(Qt::UserRole).toString().toStdString() == folder.string())
        return tree()->item(i);
    ADD_FAILURE() << folder << " is not listed";
    return nullptr;
  }
  void doubleClick(const std::filesystem::path& folder) {
    QListWidgetItem* item = row(folder);
    if (!item) return;
    tree()->scrollToItem(item);
    QPoint centre = tree()->visualItemRect(item).center();
    // The press that starts a real double-click comes first.
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, centre);
  }
  std::vector<std::string> listedNames() {
    std::vector<std::string> names;
    for (int i = 0; i < tree()->count(); ++i)
      names.push_back(tree()->item(i)->text().trimmed().toStdString());
    return names;
  }
};

TEST_F(FolderPicker, ListsAncestorsThenVisibleSubfoldersIgnoringCase) {
  std::vector<std::string> names = listedNames();
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names.front(), "/");
  EXPECT_EQ(std::vector<std::string>(names.end() - 2, names.end()),
            (std::vector<std::string>{"alpha", "Beta"}));
  EXPECT_TRUE(session.pickedFolder.empty()) << "showing the start folder reports no change";
}

TEST_F(FolderPicker, OpeningAFolderMakesItTheWorkingFolderAndThePickedOne) {
  doubleClick(program.path() / "Beta");
  EXPECT_EQ(std::filesystem::current_path(), program.path() / "Beta");
  EXPECT_EQ(session.pickedFolder, (program.path() / "Beta").string() + "/");
  EXPECT_EQ(session.DirtyCounter, 0) << "a folder change is no edit";
  tree()->setCurrentItem(row(program.path() / "Beta" / "inner"));
  QTest::keyClick(tree(), Qt::Key_Return);
  EXPECT_EQ(session.pickedFolder, (program.path() / "Beta" / "inner").string() + "/");
  click("locfind2");
  EXPECT_EQ(text("flocation2"), session.pickedFolder);
  EXPECT_GT(session.DirtyCounter, 0);
}

TEST_F(FolderPicker, TheRootGetsNoSecondSeparator) {
  doubleClick("/");
  EXPECT_EQ(session.pickedFolder, "/");
  EXPECT_EQ(std::filesystem::current_path(), "/");
}

TEST_F(FolderPicker, PickingAVolumeMovesTheListToItsRoot) {
  pick("Drive002", "/");
  EXPECT_EQ(find<QListWidget>("Dir002")->count(),
            static_cast<int>(ui::listedSubfolders("/").size()) + 1);
  EXPECT_EQ(session.pickedFolder, "/");
  EXPECT_EQ(std::filesystem::current_path(), "/");
}

TEST_F(FolderPicker, SetKeepsItsBoxWhenNothingWasPicked) {
  edit("flocation3")->setText("/typed/");
  click("locfind3");
  EXPECT_EQ(text("flocation3"), "/typed/");
  EXPECT_EQ(session.DirtyCounter, 0);
}

TEST_F(FolderPicker, AFolderThatVanishedIsReportedAndTheListStays) {
  QListWidgetItem* alpha = row(program.path() / "alpha");
  std::filesystem::remove(program.path() / "alpha");
  tree()->setCurrentItem(alpha);
  QTest::keyClick(tree(), Qt::Key_Return);
  EXPECT_EQ(dialogs.errors(), std::vector<std::string>{"File not found."});
  EXPECT_EQ(std::filesystem::current_path(), program.path());
  EXPECT_TRUE(session.pickedFolder.empty());
}

}  // namespace
}  // namespace kestrova::testing
