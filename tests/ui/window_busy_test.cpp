// While a child program runs the window repaints, shows a busy cursor, takes no input, starts
// nothing else, and holds a close request until the program has ended.
#include <QApplication>
#include <QTimer>

#include "ui/support/window_fixture.h"

namespace kestrova::testing {
namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class WhileRunning : public WindowTest {
 protected:
  void SetUp() override {
    addPass("n18.hrp");
    release = programs() + "release";
    // Runs until the test releases it (or gives up after a long while, failing the test).
    writeProgram("Varnock.exe",
                 "i=0\nwhile [ ! -e \"" + release +
                     "\" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\ntouch \"$0.lcn\"");
    writeProgram("Ostrelle.exe", "");
    startWith(stationSettings());
    pick("n18.hrp");
  }
  // Runs check once the decoder is running, then lets the decoder end.
  void duringTheRun(std::function<void()> check) {
    QTimer::singleShot(0, window.get(), [this, check] {
      check();
      TempFolder::writeFile(release, "");
    });
  }
  std::string release;
};

TEST_F(WhileRunning, WindowRepaintsWithABusyCursor) {
  PaintCounter counter(find("batchstring"));
  bool busy = false, repainted = false;
  Qt::CursorShape cursor = Qt::ArrowCursor;
  QTimer::singleShot(0, window.get(), [&] {
    busy = window->busy();
    cursor = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : cursor;
    int before = counter.paints;
    find("batchstring")->update();
    QTimer::singleShot(20, window.get(), [&, before] {
      repainted = counter.paints > before;
      TempFolder::writeFile(release, "");
    });
  });
  click("doit00");
  EXPECT_TRUE(busy);
  EXPECT_TRUE(repainted);
  EXPECT_EQ(cursor, Qt::WaitCursor);
  EXPECT_FALSE(window->busy());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WhileRunning, NoInputIsTakenAndNoOtherCommandStarts) {
  duringTheRun([this] {
    QTest::mouseClick(find("direction01"), Qt::LeftButton);
    QTest::mouseClick(find("doit01"), Qt::LeftButton);
    find<QPushButton>("doit01")->click();  // even a command that arrives some other way
    action("Configure1")->trigger();
  });
  click("doit00");
  EXPECT_TRUE(ran("Varnock.exe"));
  EXPECT_FALSE(ran("Ostrelle.exe"));
  EXPECT_FALSE(find<QRadioButton>("direction01")->isChecked());
  EXPECT_FALSE(find("DialogFrame")->isVisible());
  // Input queued during the run is not replayed afterwards.
  QApplication::processEvents();
  EXPECT_FALSE(ran("Ostrelle.exe"));
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(WhileRunning, CloseRequestWaitsUntilTheProgramHasEnded) {
  bool stillOpen = false;
  duringTheRun([&] {
    window->close();
    stillOpen = window->isVisible();
  });
  click("doit00");
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(std::filesystem::exists(programs() + "Varnock.exe.lcn"));  // it ran to its end
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace kestrova::testing
