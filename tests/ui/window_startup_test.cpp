// Start-up of the real main window: title, menu, disabled run commands, the filter, the stored
// settings read into the window, centring, Exit.
#include <QMenuBar>

#include "settings/io_error.h"
#include "ui/centre_on_screen.h"
#include "ui/session.h"
#include "ui/support/window_fixture.h"

namespace kestrova::testing {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, WithoutAConfigurationFileOpensOnTheDefaults) {
  start();
  EXPECT_EQ(window->windowTitle().toStdString(), "Kestrova version 2.06 - December 25, 2007");
  EXPECT_EQ(window->session().programFolder, program.path().string() + "/");
  EXPECT_EQ(std::filesystem::current_path(), program.path());
  for (const char* command : {"m_HRPTsave", "m_Ostrellesave"})
    EXPECT_FALSE(action(command)->isEnabled()) << command;
  for (const char* button : {"doit00", "doit01"}) EXPECT_FALSE(find(button)->isEnabled()) << button;
  EXPECT_EQ(action("m_banner")->text(), "");
  EXPECT_EQ(text("Label12"), "Batch string");
  EXPECT_TRUE(find<QRadioButton>("direction00")->isChecked());
  EXPECT_EQ(window->session().direction, "south");
  EXPECT_FALSE(find("DialogFrame")->isVisible());
  EXPECT_FALSE(find("ProgDetails")->isVisible());
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(StartUp, WindowIsFixedWithoutMinimiseOrMaximise) {
  start();
  Qt::WindowFlags flags = window->windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->centralWidget()->size(), QSize(654, 450));
}

TEST_F(StartUp, MenuHasItsCaptionsInOrderWithTheStatusItemLast) {
  start();
  QList<QAction*> top = window->menuBar()->actions();
  ASSERT_EQ(top.size(), 3);
  EXPECT_EQ(top[0]->text(), "File            ");
  EXPECT_EQ(top[1]->text(), "Help            ");
  EXPECT_EQ(top[2]->objectName(), "m_banner");
  EXPECT_EQ(top[2]->menu(), nullptr);

  auto captions = [](QMenu* menu) {
    std::vector<std::string> result;
    for (QAction* item : menu->actions())
      result.push_back(item->objectName().toStdString() + "=" + item->text().toStdString());
    return result;
  };
  EXPECT_EQ(captions(top[0]->menu()),
            (std::vector<std::string>{"m_HRPTsave=Save HRPT image(s)",
                                      "m_Ostrellesave=Save Ostrelle image",
                                      "N1=", "Configure1=Configure", "N2=", "Exit1=E&xit"}));
  EXPECT_EQ(captions(top[1]->menu()),
            (std::vector<std::string>{"Contents=Contents", "About=About Kestrova"}));
  EXPECT_TRUE(action("N1")->isSeparator());
  EXPECT_TRUE(action("N2")->isSeparator());
}

TEST_F(StartUp, FilterSelectorHasItsEightEntriesWithAllSelected) {
  start();
  auto* ftype = find<QComboBox>("Ftype");
  std::vector<std::string> names;
  for (int i = 0; i < ftype->count(); ++i) names.push_back(ftype->itemText(i).toStdString());
  EXPECT_EQ(names, (std::vector<std::string>{"All", "*.HRP", "*.HPT", "*.LAC", "*.L1B", "*.L1F",
                                             "*.GAC", "Other (*.*)"}));
  EXPECT_EQ(ftype->currentIndex(), 0);
}

TEST_F(StartUp, StoredDataFolderMovesTheBrowserAndFillsTheDetails) {
  addPass("n18.hrp");
  addPass("notes.txt");
  startWith(stationSettings());
  EXPECT_EQ(text("Label13"), passes());
  EXPECT_EQ(window->fileBrowserFolder(), passes());
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(passes()));
  EXPECT_EQ(listedFiles(), std::vector<std::string>{"n18.hrp"});
  EXPECT_EQ(window->session().activeImageFolder, images());
  // The program folder was taken before the browser moved.
  EXPECT_EQ(window->session().programFolder, program.path().string() + "/");
  EXPECT_TRUE(dialogs.calls().empty());
}

// A data folder that has gone away costs nothing else: the read goes on, the browser stays, and
// the error comes once the read is done; the window still opens.
TEST_F(StartUp, VanishedDataFolderIsReportedAfterTheRestIsRead) {
  StoredSettings stored = stationSettings();
  stored.dataFolder = (station.path() / "gone").string();
  stored.canvasWidth = "1600";
  stored.canvasHeight = "1200";
  startWith(stored);
  EXPECT_EQ(dialogs.errors(), std::vector<std::string>{"File not found."});
  EXPECT_EQ(window->session().activeImageFolder, images());
  EXPECT_EQ(window->fileBrowserFolder(), program.path().string());
  EXPECT_TRUE(window->isVisible());
}

TEST_F(StartUp, UnreadableConfigurationIsReportedAndTheWindowOpens) {
  program.write("kestrova.cfg", std::string(6, '\n') + "\r\nnot-a-number\r\n");
  start();
  ASSERT_EQ(dialogs.errors().size(), 1u);
  EXPECT_TRUE(window->isVisible());
}

struct Placement {
  QSize screen;
  QPoint window;
  QPoint about;
};

class Centring : public WindowTest, public ::testing::WithParamInterface<Placement> {};

TEST_P(Centring, PlacesBothWindowsOnceAtTheCentreTruncatedTowardZero) {
  start(GetParam().screen);
  EXPECT_EQ(window->pos(), GetParam().window);
  EXPECT_EQ(find("ProgDetails")->pos(), GetParam().about);
}

INSTANTIATE_TEST_SUITE_P(Screens, Centring,
                         ::testing::Values(Placement{{1024, 768}, {181, 136}, {362, 284}},
                                           Placement{{800, 600}, {69, 52}, {250, 200}},
                                           Placement{{640, 480}, {-11, -8}, {170, 140}},
                                           Placement{{661, 500}, {0, 2}, {180, 150}}));

TEST(CentredPosition, KeepsNegativeOffsetsAndTruncatesTowardZero) {
  EXPECT_EQ(ui::centredPosition({662, 496}, {639, 479}), QPoint(-11, -8));
  EXPECT_EQ(ui::centredPosition({662, 496}, {663, 497}), QPoint(0, 0));
}

TEST_F(StartUp, ExitClosesWithoutAQuestionEvenWithThePanelOpen) {
  start();
  action("Configure1")->trigger();
  ASSERT_TRUE(find("DialogFrame")->isVisible());
  action("Exit1")->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(dialogs.calls().empty());
  EXPECT_FALSE(std::filesystem::exists(program.file("kestrova.cfg")));
}

}  // namespace
}  // namespace kestrova::testing
