// make_screenshots OUTPUT_FOLDER: the pictures of the README and the help, all from a real decode
// and remap of the demo pass: the main window after "H" with the decoded preview, the decoded
// pass and its map of Europe, a quick look of each of the twelve products, the configuration
// panel, the about box, and the windows of Varnock.exe and Ostrelle.exe after their runs.
// Run under a virtual display (make screenshots).
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <filesystem>
#include <string>

#include "demo_folder.h"
#include "settings/product_table.h"
#include "ui/centre_on_screen.h"
#include "ui/main_form.h"

namespace {

namespace fs = std::filesystem;

// Any message box would mean the pictures show something wrong: report it and fail.
class FailingDialogs : public kestrova::ui::UiDialogs {
 public:
  void warning(const std::string& text) override { fail(text); }
  bool warningYesNo(const std::string& text) override { return fail(text); }
  bool confirm(const std::string& text) override { return fail(text); }
  void message(const std::string& text) override { fail(text); }
  void error(const std::string& text) override { fail(text); }
  bool failed = false;

 private:
  bool fail(const std::string& text) {
    std::fprintf(stderr, "make_screenshots: unexpected message box: %s\n", text.c_str());
    failed = true;
    return false;
  }
};

void settle(int rounds = 20) {
  for (int i = 0; i < rounds; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool report(bool done, const std::string& path) {
  std::fprintf(stderr, "make_screenshots: %s %s\n", done ? "wrote" : "could not write",
               path.c_str());
  return done;
}

bool save(QWidget& widget, const std::string& folder, const char* name) {
  settle();
  const std::string path = folder + "/" + name;
  return report(widget.grab().save(QString::fromStdString(path), "PNG"), path);
}

bool copy(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  return report(!ec, to);
}

// The running program's window as the virtual display shows it: the screen around whatever is
// not the black root window.
QImage grabProgramWindow() {
  const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  QRect box;
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x)
      if (qGray(screen.pixel(x, y)) > 8) box |= QRect(x, y, 1, 1);
  return screen.copy(box);
}

// Starts a program with a window on the display, waits until it has written `ready` and drawn
// its end, takes its picture and ends it (it would wait for the user).
bool shootProgram(const std::string& program, const QStringList& arguments,
                  const std::string& ready, const std::string& path) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("QT_QPA_PLATFORM");
  process.setProcessEnvironment(environment);
  process.start(QString::fromStdString(program), arguments);
  QElapsedTimer clock;
  clock.start();
  while (!fs::exists(ready) && clock.elapsed() < 180'000) settle(5);
  settle(200);
  const QImage picture = grabProgramWindow();
  process.kill();
  process.waitForFinished();
  return report(!picture.isNull() && picture.save(QString::fromStdString(path), "PNG"), path);
}

// Runs a program without a window and waits for it.
bool runQuietly(const std::string& program, const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  process.setProcessEnvironment(environment);
  process.start(QString::fromStdString(program), arguments);
  return process.waitForFinished(300'000) && process.exitCode() == 0;
}

// A quick look of every product of the demo pass, named product-<tag>.jpg.
bool productPictures(const std::string& varnock, const std::string& pass, const std::string& work,
                     const std::string& output) {
  QStringList arguments{QString::fromStdString(pass), "-direction:north",
                        QString::fromStdString("-output:" + work + "/p")};
  for (int i = 0; i < kestrova::kProductCount; ++i)
    arguments << QString::fromStdString(std::string(kestrova::ProductTable[i].optionSuffix) +
                                        (i == 6 ? ":R1G2B4:apt.jpg" : ":apt.jpg"));
  if (!runQuietly(varnock, arguments)) return report(false, work + "/p-*-apt.jpg");
  bool saved = true;
  for (const kestrova::Product& product : kestrova::ProductTable) {
    const std::string tag(product.fileTag);
    saved &= copy(work + "/p" + tag + "-apt.jpg", output + "/product-" + tag.substr(1) + ".jpg");
  }
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string output = fs::absolute(argv[1]).string();
  QApplication application(argc, argv);
  const std::string programs = KESTROVA_PROGRAMS;
  const std::string varnock = programs + "/Varnock.exe", ostrelle = programs + "/Ostrelle.exe";
  kestrova::tools::DemoFolder demo =
      kestrova::tools::makeDemoFolder(programs, KESTROVA_DEMO_ELEMENTS);
  fs::current_path(demo.root);
  const std::string pass = demo.root + "passes/" + demo.pickedEntry;
  const std::string base =
      demo.root + "images/" + demo.pickedEntry.substr(0, demo.pickedEntry.find('.'));
  // The programs the window starts run without a window of their own.
  qputenv("QT_QPA_PLATFORM", "offscreen");

  FailingDialogs dialogs;
  bool saved = true;
  {
    kestrova::ui::MainForm window(dialogs, kestrova::ui::primaryScreenSize());
    window.show();
    settle();
    auto* files = window.findChild<QListWidget*>("File001");
    QList<QListWidgetItem*> match =
        files->findItems(QString::fromStdString(demo.pickedEntry), Qt::MatchExactly);
    if (!match.isEmpty()) files->setCurrentItem(match.front());
    window.findChild<QRadioButton*>("direction01")->click();  // South to North
    window.findChild<QPushButton*>("doit00")->click();        // H
    saved &= save(window, output, "main-window.png");
    window.findChild<QPushButton*>("doit01")->click();  // Ostrelle
    saved &= copy(base + "-fc-apt.jpg", output + "/decoded-pass.jpg");
    saved &= copy(base + "-fc-Polar.jpg", output + "/map-europe-polar.jpg");

    window.findChild<QAction*>("Configure1")->trigger();
    saved &= save(window, output, "configuration-panel.png");
    window.findChild<QPushButton*>("QuitConfig")->click();

    window.findChild<QAction*>("About")->trigger();
    saved &= save(*window.findChild<QWidget*>("ProgDetails"), output, "about-box.png");
  }
  fs::create_directories(demo.root + "work");
  saved &= productPictures(varnock, pass, demo.root + "work", output);
  const std::string shot = demo.root + "work/v";
  saved &= shootProgram(varnock,
                        {QString::fromStdString(pass), "-direction:north",
                         QString::fromStdString("-output:" + shot), "-fc:.jpg", "-fc:apt.jpg"},
                        shot + ".lcn", output + "/varnock-window.png");
  const std::string map = demo.root + "work/map-fc-Polar.jpg";
  saved &= shootProgram(
      ostrelle,
      {QString::fromStdString("-LCN:" + base + ".lcn"),
       QString::fromStdString("-IN:" + base + "-fc.jpg"), QString::fromStdString("-OUT:" + map),
       "-lat1:80", "-lat2:35", "-lon1:-10", "-lon2:50", "-width:800", "-height:600", "-proj:Polar"},
      map, output + "/ostrelle-window.png");
  kestrova::tools::removeDemoFolder(demo);
  return saved && !dialogs.failed ? 0 : 1;
}
