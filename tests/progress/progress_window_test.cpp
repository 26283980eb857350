// The window of a run: reports from the work's thread arrive in order, it cannot be closed
// while the work runs, and at the end it offers Close and shows the finished picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <thread>

#include "imaging/image.h"
#include "imaging/jpeg_writer.h"
#include "progress/progress_window.h"
#include "support/temp_folder.h"

namespace kestrova::progress {
namespace {

void settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

TEST(ProgressWindow, ShowsReportsFromTheWorkThreadInOrder) {
  ProgressWindow window("Varnock - pass.hpt");
  window.show();
  WindowReporter reporter(window);
  std::thread work([&] {
    reporter.stage("Calibrating");
    reporter.progress(0.4);
    reporter.info("NOAA-19");
    reporter.progress(0.2);  // never moves back
    reporter.warning("elements 20 days old");
    reporter.error("no location file");
  });
  work.join();
  settle();

  EXPECT_EQ(window.windowTitle(), "Varnock - pass.hpt");
  EXPECT_EQ(window.findChild<QLabel*>("stage")->text(), "Calibrating");
  EXPECT_EQ(window.findChild<QProgressBar*>("progress")->value(), 400);
  EXPECT_EQ(window.messages(),
            (QStringList{"NOAA-19", "Warning: elements 20 days old", "Error: no location file"}));

  auto* close = window.findChild<QPushButton*>("close");
  EXPECT_FALSE(close->isEnabled());
  window.close();
  EXPECT_TRUE(window.isVisible()) << "closed while the work was still running";

  window.finish(1);
  EXPECT_TRUE(close->isEnabled());
  EXPECT_EQ(window.findChild<QLabel*>("stage")->text(), "Failed");
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

TEST(ProgressWindow, ShowsTheFinishedPictureScaledToFit) {
  testing::TempFolder folder;
  Image map = Image::blank(3000, 2000, PixelFormat::Rgb888);
  writeJpegFile(folder.file("map.jpg"), map);

  ProgressWindow window("Ostrelle - map.jpg");
  window.show();
  WindowReporter reporter(window);
  reporter.showPicture(folder.file("map.jpg"));
  settle();
  auto* picture = window.findChild<QLabel*>("picture");
  EXPECT_FALSE(picture->isVisible()) << "the picture is shown only once the work has ended";

  window.finish(0);
  ASSERT_TRUE(picture->isVisible());
  const QSize shown = picture->pixmap().size();
  EXPECT_LT(shown.width(), 3000);
  EXPECT_NEAR(double(shown.width()) / shown.height(), 1.5, 0.01);
  EXPECT_EQ(window.findChild<QProgressBar*>("progress")->value(), 1000);
}

}  // namespace
}  // namespace kestrova::progress
