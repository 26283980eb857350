#pragma once
// The real main window started in a fresh program folder, with scripted message boxes, a station
// folder for data files and images, and child programs written as shell scripts that record how
// they were started.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "imaging/jpeg_writer.h"
#include "settings/config_writer.h"
#include "support/temp_folder.h"
#include "ui/main_form.h"
#include "ui/support/scripted_dialogs.h"

namespace kestrova::testing {

class WindowTest : public ::testing::Test {
 public:
  WindowTest() {
    std::filesystem::create_directories(station.path() / "passes");
    std::filesystem::create_directories(station.path() / "images");
    std::filesystem::create_directories(station.path() / "programs");
  }
  ~WindowTest() override {
    window.reset();
    std::filesystem::current_path(startFolder_);
  }

  // The program's start-up with the program folder as working folder.
  void start(QSize screen = {1024, 768}) {
    std::filesystem::current_path(program.path());
    window = std::make_unique<ui::MainForm>(dialogs, screen);
    window->show();
  }
  void startWith(const StoredSettings& stored) {
    program.write("kestrova.cfg", formatConfig(stored));
    start();
  }
  // Settings whose folders are the station's, with the two programs' folder.
  StoredSettings stationSettings() const {
    StoredSettings stored;
    stored.dataFolder = passes();
    stored.imageFolder = images();
    stored.decoderFolder = programs();
    stored.remapperFolder = programs();
    stored.decoderOptions = "-fc:.jpg  -fc:apt.jpg -close";
    return stored;
  }

  std::string passes() const { return (station.path() / "passes").string(); }
  std::string images() const { return (station.path() / "images").string() + "/"; }
  std::string programs() const { return (station.path() / "programs").string() + "/"; }
  void addPass(const std::string& name) const { TempFolder::writeFile(passes() + "/" + name, "x"); }
  // A real JPEG of one grey level, which tells the pictures apart on the screen.
  static void writePicture(const std::string& path, int grey, int width = 16, int height = 16) {
    Image image = Image::blank(width, height, PixelFormat::Grey8);
    std::fill(image.pixels.begin(), image.pixels.end(), static_cast<std::uint8_t>(grey));
    writeJpegFile(path, image);
  }
  // The grey level the preview shows, or -1 when it is empty.
  int previewGrey() const {
    QPixmap shown = find<QLabel>("SatPic")->pixmap();
    if (shown.isNull()) return -1;
    QImage picture = shown.toImage();
    return qGray(picture.pixel(picture.width() / 2, picture.height() / 2));
  }

  // A child program: records its arguments (one per line) and working folder beside itself,
  // then runs body.
  void writeProgram(const std::string& name, const std::string& body) const {
    std::string path = programs() + name;
    TempFolder::writeFile(path, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + path +
                                    ".args\"\npwd > \"" + path + ".cwd\"\n" + body + "\n");
    ::chmod(path.c_str(), 0755);
  }
  std::vector<std::string> argumentsOf(const std::string& name) const {
    return lines(readFile(programs() + name + ".args"));
  }
  std::string workingFolderOf(const std::string& name) const {
    std::vector<std::string> found = lines(readFile(programs() + name + ".cwd"));
    return found.empty() ? "" : found.front();
  }
  bool ran(const std::string& name) const {
    return std::filesystem::exists(programs() + name + ".args");
  }

  template <typename W = QWidget>
  W* find(const char* name) const {
    auto* widget = window->findChild<W*>(name);
    if (!widget) ADD_FAILURE() << "no control named " << name;
    return widget;
  }
  QAction* action(const char* name) const { return find<QAction>(name); }
  std::string text(const char* name) const {
    return find<QLabel>(name)->text().toLocal8Bit().toStdString();
  }
  std::vector<std::string> listedFiles() const {
    std::vector<std::string> names;
    auto* list = find<QListWidget>("File001");
    for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->text().toStdString());
    return names;
  }

  void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
  // A mouse click on an entry of the file list.
  void pick(const std::string& entry) {
    auto* list = find<QListWidget>("File001");
    QList<QListWidgetItem*> items =
        list->findItems(QString::fromStdString(entry), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << entry << " is not listed";
    list->scrollToItem(items.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.front()).center());
  }
  // A user's choice of a filter entry from the drop-down.
  void chooseFilter(const QString& entry) {
    auto* combo = find<QComboBox>("Ftype");
    int index = combo->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
  }

  static std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      result.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    return result;
  }

  TempFolder program;
  TempFolder station;
  ScriptedDialogs dialogs;
  std::unique_ptr<ui::MainForm> window;

 private:
  std::filesystem::path startFolder_ = std::filesystem::current_path();
};

}  // namespace kestrova::testing
