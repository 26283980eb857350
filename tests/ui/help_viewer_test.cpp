// The help window: it opens the built help file on its default topic with the contents beside
// it, follows links inside the file, reports a file it cannot open in its own window, and stays
// one window however often Help > Contents is chosen.
#include "ui/help_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "support/temp_folder.h"
#include "ui/chm_archive.h"

namespace kestrova::ui {
namespace {

using testing::TempFolder;

// One application for all tests, made before the first and destroyed after the last while the
// program is still running normally (an application left to static destruction crashes at exit).
class Application : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[14] = "ui_help_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};
[[maybe_unused]] const auto* const kApplication =
    ::testing::AddGlobalTestEnvironment(new Application);

class HelpWindow : public ::testing::Test {
 protected:
  QTextBrowser* page() const { return viewer.findChild<QTextBrowser*>("HelpPage"); }
  QTreeWidget* contents() const { return viewer.findChild<QTreeWidget*>("HelpContents"); }
  QToolButton* button(const char* name) const { return viewer.findChild<QToolButton*>(name); }
  QString shownPath() const { return page()->source().path(); }
  std::string text() const { return page()->toPlainText().toStdString(); }

  // Clicks the first link on the page whose target contains wanted, as a user would.
  void clickLink(const QString& wanted) {
    QTextDocument* doc = page()->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.charFormat().isAnchor() ||
            !fragment.charFormat().anchorHref().contains(wanted))
          continue;
        QTextCursor cursor(doc);
        cursor.setPosition(fragment.position() + 1);
        page()->setTextCursor(cursor);
        page()->ensureCursorVisible();
        const QPoint at = page()->cursorRect(cursor).center();
        QTest::mouseClick(page()->viewport(), Qt::LeftButton, {}, at);
        return;
      }
    ADD_FAILURE() << "no link to " << wanted.toStdString();
  }

  QWidget owner;
  HelpViewer viewer{&owner};
  ChmArchive archive{KESTROVA_HELP_FILE};
};

TEST_F(HelpWindow, OpensOnTheDefaultTopicWithTheContentsBeside) {
  viewer.showFile(KESTROVA_HELP_FILE);
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_TRUE(viewer.isWindow());
  EXPECT_EQ(viewer.parentWidget(), &owner);
  EXPECT_EQ(shownPath().toStdString(), archive.defaultTopic());
  EXPECT_NE(text().find("Kestrova"), std::string::npos);
  EXPECT_EQ(viewer.windowTitle().toStdString(), archive.system().title);

  ASSERT_EQ(contents()->topLevelItemCount(), static_cast<int>(archive.contents().size()));
  const ContentsEntry& first = archive.contents().front();
  EXPECT_EQ(contents()->topLevelItem(0)->text(0).toStdString(), first.name);
  int items = 0;
  for (QTreeWidgetItemIterator it(contents()); *it; ++it) ++items;
  EXPECT_EQ(items, static_cast<int>(flattenContents(archive.contents()).size()));
  EXPECT_EQ(contents()->currentItem()->text(0).toStdString(), first.name);
}

TEST_F(HelpWindow, FollowsLinksInsideTheFileWithBackAndForward) {
  viewer.showFile(KESTROVA_HELP_FILE);
  EXPECT_FALSE(button("HelpBack")->isEnabled());
  clickLink("getting_started.htm");
  EXPECT_EQ(shownPath(), "/getting_started.htm");
  EXPECT_NE(text().find("Getting started"), std::string::npos);
  EXPECT_EQ(contents()->currentItem()->data(0, Qt::UserRole).toUrl().path(),
            "/getting_started.htm");

  ASSERT_TRUE(button("HelpBack")->isEnabled());
  button("HelpBack")->click();
  EXPECT_EQ(shownPath().toStdString(), archive.defaultTopic());
  ASSERT_TRUE(button("HelpForward")->isEnabled());
  button("HelpForward")->click();
  EXPECT_EQ(shownPath(), "/getting_started.htm");
  button("HelpHome")->click();
  EXPECT_EQ(shownPath().toStdString(), archive.defaultTopic());
}

TEST_F(HelpWindow, ChoosingAnEntryInTheContentsShowsItsPage) {
  viewer.showFile(KESTROVA_HELP_FILE);
  QTreeWidgetItem* last = nullptr;
  for (QTreeWidgetItemIterator it(contents()); *it; ++it) last = *it;
  ASSERT_NE(last, nullptr);
  contents()->scrollToItem(last);
  QTest::mouseClick(contents()->viewport(), Qt::LeftButton, {},
                    contents()->visualItemRect(last).center());
  EXPECT_EQ(page()->source(), last->data(0, Qt::UserRole).toUrl());
  EXPECT_FALSE(page()->toPlainText().contains("Page not found"));
}

TEST_F(HelpWindow, TheIndexFindsATypedKeywordAndShowsItsPage) {
  viewer.showFile(KESTROVA_HELP_FILE);
  auto* index = viewer.findChild<QListWidget*>("HelpIndex");
  auto* filter = viewer.findChild<QLineEdit*>("HelpIndexFilter");
  EXPECT_EQ(index->count(), static_cast<int>(flattenContents(archive.index()).size()));
  QTest::keyClicks(filter, "merc");
  ASSERT_NE(index->currentItem(), nullptr);
  EXPECT_EQ(index->currentItem()->text(), "Mercator");
  QTest::keyClick(filter, Qt::Key_Return);
  EXPECT_EQ(page()->source(), QUrl("chm:/regions.htm#projections"));
  QTest::keyClicks(filter, "zzz");  // no keyword: the choice stays
  EXPECT_EQ(index->currentItem()->text(), "Mercator");
}

TEST_F(HelpWindow, PicturesAndStyleComeFromTheFile) {
  viewer.showFile(KESTROVA_HELP_FILE);
  // The heading's colour comes only from the file's style sheet.
  const QTextCharFormat heading = page()->document()->begin().begin().fragment().charFormat();
  EXPECT_EQ(heading.foreground().color(), QColor("#1d3c6e"));
  EXPECT_TRUE(
      page()->loadResource(QTextDocument::StyleSheetResource, QUrl("kestrova.css")).isValid());
  EXPECT_FALSE(
      page()->loadResource(QTextDocument::ImageResource, QUrl("images/none.png")).isValid());
  EXPECT_FALSE(
      page()->loadResource(QTextDocument::ImageResource, QUrl("file:///etc/passwd")).isValid());
}

TEST_F(HelpWindow, ALinkToAPageNotInTheFileSaysSo) {
  viewer.showFile(KESTROVA_HELP_FILE);
  page()->setSource(QUrl("chm:/no_such_page.htm"));
  EXPECT_NE(text().find("/no_such_page.htm is not in the help file"), std::string::npos);
}

TEST_F(HelpWindow, AFileItCannotOpenIsReportedInTheWindow) {
  TempFolder temp;
  temp.write("kestrova.chm", std::string(5000, '\x55'));
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {{temp.file("missing/kestrova.chm"), "No such file or directory"},
                        {temp.file("kestrova.chm"), "not a compiled help file"},
                        {temp.path().string(), "Is a directory"}};
  for (const Case& c : cases) {
    viewer.showFile(c.path);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_NE(text().find(c.path), std::string::npos) << text();
    EXPECT_NE(text().find(c.reason), std::string::npos) << text();
    EXPECT_EQ(contents()->topLevelItemCount(), 0);
    EXPECT_EQ(viewer.findChild<QListWidget*>("HelpIndex")->count(), 0);
    EXPECT_FALSE(button("HelpHome")->isEnabled());
    EXPECT_FALSE(button("HelpBack")->isEnabled());
  }
  viewer.showFile(KESTROVA_HELP_FILE);
  EXPECT_EQ(shownPath().toStdString(), archive.defaultTopic());
  EXPECT_GT(contents()->topLevelItemCount(), 0);
}

TEST_F(HelpWindow, ARelativePathIsReportedInFull) {
  viewer.showFile("no-such-folder/kestrova.chm");
  const std::string full =
      (std::filesystem::current_path() / "no-such-folder/kestrova.chm").string();
  EXPECT_NE(text().find(full), std::string::npos) << text();
}

TEST_F(HelpWindow, ADamagedCopyOfTheRealFileNeverCrashes) {
  std::ifstream in(KESTROVA_HELP_FILE, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TempFolder temp;
  for (std::size_t keep : {bytes.size() / 2, bytes.size() / 8, std::size_t{200}}) {
    temp.write("cut.chm", bytes.substr(0, keep));
    viewer.showFile(temp.file("cut.chm"));
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_FALSE(page()->toPlainText().isEmpty()) << keep;
  }
}

TEST_F(HelpWindow, ContentsTwiceLeavesOneWindowOnTheDefaultTopic) {
  viewer.showFile(KESTROVA_HELP_FILE);
  clickLink("getting_started.htm");
  viewer.showFile(KESTROVA_HELP_FILE);
  EXPECT_EQ(shownPath().toStdString(), archive.defaultTopic());
  EXPECT_FALSE(button("HelpBack")->isEnabled());
  int visibleWindows = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) visibleWindows += widget->isVisible();
  EXPECT_EQ(visibleWindows, 1);
}

}  // namespace
}  // namespace kestrova::ui
