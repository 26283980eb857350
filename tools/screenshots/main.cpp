// make_screenshots OUTPUT_FOLDER: renders the main window with a picked pass and its preview,
// the configuration panel open, and the about box, each to a PNG file.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <cstdio>
#include <filesystem>
#include <string>

#include "demo_folder.h"
#include "ui/centre_on_screen.h"
#include "ui/main_form.h"

namespace {

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

void settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

bool save(QWidget& widget, const std::string& folder, const char* name) {
  settle();
  std::string path = folder + "/" + name;
  bool saved = widget.grab().save(QString::fromStdString(path), "PNG");
  std::fprintf(stderr, "make_screenshots: %s %s\n", saved ? "wrote" : "could not write",
               path.c_str());
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  std::string output = std::filesystem::absolute(argv[1]).string();
  QApplication application(argc, argv);
  kestrova::tools::DemoFolder demo = kestrova::tools::makeDemoFolder();
  std::filesystem::current_path(demo.root);

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
    saved &= save(window, output, "main-window.png");

    window.findChild<QAction*>("Configure1")->trigger();
    saved &= save(window, output, "configuration-panel.png");
    window.findChild<QPushButton*>("QuitConfig")->click();

    window.findChild<QAction*>("About")->trigger();
    saved &= save(*window.findChild<QWidget*>("ProgDetails"), output, "about-box.png");
  }
  kestrova::tools::removeDemoFolder(demo);
  return saved && !dialogs.failed ? 0 : 1;
}
