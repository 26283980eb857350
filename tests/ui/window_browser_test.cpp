// The file browser: which files the list shows under each filter, how the directory list moves,
// and that refilling the list picks nothing.
#include "ui/file_browser_listing.h"
#include "ui/support/window_fixture.h"

namespace kestrova::testing {
namespace {

using Files = std::vector<std::string>;

class Browser : public WindowTest {
 protected:
  void SetUp() override {
    for (const char* name : {"a.hrp", "B.GAC", "c.l1f", "d.txt", ".hidden.hrp", "rawpass"})
      addPass(name);
    std::filesystem::create_directories(passes() + "/e.hrp");  // a folder named like a pass
    startWith(stationSettings());
  }
};

TEST_F(Browser, EachFilterListsItsFilesAndNeverAFolder) {
  EXPECT_EQ(listedFiles(), (Files{"a.hrp", "B.GAC", "c.l1f"}));
  chooseFilter("Other (*.*)");
  EXPECT_EQ(listedFiles(), (Files{"a.hrp", "B.GAC", "c.l1f", "d.txt", "rawpass"}));
  chooseFilter("*.GAC");
  EXPECT_EQ(listedFiles(), (Files{"B.GAC"}));
  chooseFilter("*.HRP");
  EXPECT_EQ(listedFiles(), (Files{"a.hrp"}));
}

TEST_F(Browser, NamesSortWithoutRegardToCase) {
  addPass("A2.HRP");
  addPass("a1.hrp");
  chooseFilter("*.HRP");
  EXPECT_EQ(listedFiles(), (Files{"a.hrp", "a1.hrp", "A2.HRP"}));
}

TEST_F(Browser, RefillingTheListPicksNothingAndLeavesNothingSelected) {
  pick("a.hrp");
  ASSERT_EQ(text("Label14"), "a.hrp");
  dialogs.clear();
  chooseFilter("Other (*.*)");
  EXPECT_TRUE(find<QListWidget>("File001")->selectedItems().isEmpty());
  EXPECT_EQ(text("Label14"), "a.hrp");  // no pick handler ran
  // With nothing selected the decoder run stops at once.
  writeProgram("Varnock.exe", "");
  click("doit00");
  EXPECT_EQ(dialogs.errors(), Files{"List index out of bounds (-1)"});
  EXPECT_EQ(action("m_banner")->text(), "");
  EXPECT_FALSE(ran("Varnock.exe"));
}

TEST_F(Browser, DirectoryListOpensOnEnterAndDoubleClickAndMovesTheWorkingFolder) {
  std::filesystem::create_directories(passes() + "/older");
  TempFolder::writeFile(passes() + "/older/x.hpt", "x");
  auto* folders = find<QListWidget>("Dir001");
  // The list was filled before the sub-folder existed; opening the same folder refreshes it.
  folders->setCurrentItem(folders->findItems("passes", Qt::MatchEndsWith).front());
  QTest::keyClick(folders, Qt::Key_Return);
  QList<QListWidgetItem*> older = folders->findItems("older", Qt::MatchEndsWith);
  ASSERT_EQ(older.size(), 1);
  folders->setCurrentItem(older.front());
  QTest::keyClick(folders, Qt::Key_Return);
  EXPECT_EQ(window->fileBrowserFolder(), passes() + "/older");
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(passes() + "/older"));
  EXPECT_EQ(listedFiles(), Files{"x.hpt"});

  // A double-click is a click followed by the double-click event, as the window system sends it.
  QPoint parent =
      folders->visualItemRect(folders->findItems("passes", Qt::MatchEndsWith).front()).center();
  QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, parent);
  EXPECT_EQ(window->fileBrowserFolder(), passes() + "/older");  // one click only selects
  QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, parent);
  EXPECT_EQ(window->fileBrowserFolder(), passes());
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(passes()));
}

TEST_F(Browser, ClickOnTheSelectedEntryPicksItAgain) {
  pick("a.hrp");
  click("doit00");  // no decoder there: the start fails, the banner stays
  dialogs.clear();
  ASSERT_EQ(action("m_banner")->text(), "Processing HRPT file a.hrp");
  pick("a.hrp");
  EXPECT_EQ(action("m_banner")->text(), "");
}

TEST_F(Browser, KeyboardSelectionPicksTheEntry) {
  auto* list = find<QListWidget>("File001");
  pick("a.hrp");
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(text("Label14"), "B.GAC");
  EXPECT_EQ(list->selectedItems().size(), 1);
}

TEST(FileMask, MatchesAnyOfItsPatternsWithoutRegardToCase) {
  EXPECT_TRUE(ui::matchesMask("pass.hrp", "*.HRP;*.GAC"));
  EXPECT_TRUE(ui::matchesMask("PASS.Gac", "*.HRP;*.GAC"));
  EXPECT_FALSE(ui::matchesMask("pass.hrp1", "*.HRP;*.GAC"));
  EXPECT_FALSE(ui::matchesMask("pass.txt", "*.HRP;*.GAC"));
  EXPECT_TRUE(ui::matchesMask("n18_a.l1b", "n??_*.L1B"));
  EXPECT_FALSE(ui::matchesMask("n1_a.l1b", "n??_*.L1B"));
  EXPECT_TRUE(ui::matchesMask("a.b.c", "*.*"));
  EXPECT_TRUE(ui::matchesMask("noextension", "*.*"));
  EXPECT_FALSE(ui::matchesMask("anything", ""));
}

}  // namespace
}  // namespace kestrova::testing
