// The about box, Help, and the error box every handler shares.
#include <filesystem>

#include "ui/error_guard.h"
#include "ui/help_file_location.h"
#include "ui/session.h"
#include "ui/support/window_fixture.h"

namespace kestrova::testing {
namespace {

using About = WindowTest;

TEST_F(About, ShowsOneBoxNonModalWithTheVersionLine) {
  start();
  QWidget* box = find("ProgDetails");
  find<QLabel>("Label2")->clear();
  action("About")->trigger();
  action("About")->trigger();
  EXPECT_EQ(window->findChildren<QWidget*>("ProgDetails").size(), 1);
  EXPECT_TRUE(box->isVisible());
  EXPECT_FALSE(box->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(box));
  EXPECT_EQ(box->findChild<QLabel*>("Label2")->text(), ui::kVersionText);
  EXPECT_EQ(box->windowTitle(), "About Kestrova");
  EXPECT_EQ(box->findChild<QLabel*>("Label1")->text(), "Kestrova");
  EXPECT_FALSE(box->findChild<QLabel*>("Image1")->pixmap().isNull());
}

TEST_F(About, CloseHidesTheBoxAndItReopensWhereItWas) {
  start();
  QWidget* box = find("ProgDetails");
  action("About")->trigger();
  box->move(40, 50);
  QTest::mouseClick(box->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  EXPECT_FALSE(box->isVisible());
  action("About")->trigger();
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->pos(), QPoint(40, 50));
}

// Help > Contents opens the help file of the program folder; a second time reuses the viewer.
TEST_F(About, ContentsOpensOneHelpViewerOnTheProgramFoldersHelpFile) {
  std::filesystem::copy_file(KESTROVA_HELP_FILE, program.file("kestrova.chm"));
  start();
  action("Contents")->trigger();
  action("Contents")->trigger();
  const auto viewers = window->findChildren<QWidget*>("HelpViewer");
  ASSERT_EQ(viewers.size(), 1);
  EXPECT_TRUE(viewers.front()->isVisible());
  EXPECT_EQ(viewers.front()->windowTitle(), "Kestrova Help");
  EXPECT_TRUE(dialogs.errors().empty());
}

// Started from a folder without a help file, an installed program opens its installed copy;
// without either, the program folder's name is the one the viewer reports.
TEST(HelpFileLocation, TheProgramFoldersCopyThenTheInstalledOne) {
  TempFolder start, prefix;
  std::filesystem::create_directories(prefix.path() / "bin");
  std::filesystem::create_directories(prefix.path() / "share/kestrova");
  const std::string folder = start.path().string() + "/";
  EXPECT_EQ(ui::helpFilePath(folder, prefix.path() / "bin"), folder + "kestrova.chm");

  prefix.write("share/kestrova/kestrova.chm", "x");
  EXPECT_EQ(ui::helpFilePath(folder, prefix.path() / "bin"),
            (prefix.path() / "share/kestrova/kestrova.chm").string());

  start.write("kestrova.chm", "x");
  EXPECT_EQ(ui::helpFilePath(folder, prefix.path() / "bin"), folder + "kestrova.chm");
}

// An error escaping a handler is shown with a full stop when its last character sorts after
// "."; the program goes on.
TEST_F(About, ErrorBoxAddsAFullStopOnlyAfterCharactersSortingAfterIt) {
  addPass("n18.hrp");
  StoredSettings stored = stationSettings();
  stored.dataFolder = (station.path() / "gone").string();
  startWith(stored);
  click("doit00");  // disabled before a pick: nothing at all
  EXPECT_EQ(dialogs.errors(), std::vector<std::string>{"File not found."});
  action("m_HRPTsave")->setEnabled(true);
  action("m_HRPTsave")->trigger();
  EXPECT_EQ(dialogs.errors().back(), "List index out of bounds (-1)");
  EXPECT_TRUE(window->isVisible());

  EXPECT_EQ(ui::withFullStop("Disk full"), "Disk full.");
  EXPECT_EQ(ui::withFullStop("Saved."), "Saved.");
  EXPECT_EQ(ui::withFullStop("ends in space "), "ends in space ");
  EXPECT_EQ(ui::applicationTitle("/opt/bin/KESTROVA.EXE"), "Kestrova");
  EXPECT_EQ(ui::applicationTitle("kestrova.exe"), "kestrova");
  EXPECT_EQ(ui::applicationTitle("/usr/bin/kestrova"), "kestrova");
}

}  // namespace
}  // namespace kestrova::testing
