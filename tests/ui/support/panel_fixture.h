#pragma once
// A configuration panel inside a plain window, with a recorded main-window side, scripted message
// boxes and a fresh program folder; controls are found by their layout names.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "settings/config_writer.h"
#include "settings/io_error.h"
#include "support/temp_folder.h"
#include "ui/config_panel.h"
#include "ui/error_guard.h"
#include "ui/support/scripted_dialogs.h"

namespace kestrova::testing {

// The main window's side of the panel: the file browser's folder and the Details label.
class RecordingPanelHost : public ui::PanelHost {
 public:
  void pointFileBrowserAt(const std::string& folder) override {
    pointedAt.push_back(folder);
    if (!std::filesystem::is_directory(folder)) throw IoError(kFileNotFound);
    browserFolder = folder;
  }
  std::string fileBrowserFolder() const override { return browserFolder; }
  void showDataFolder(const std::string& folder) override { dataFolderLabel = folder; }

  std::string browserFolder = "/";
  std::vector<std::string> pointedAt;
  std::string dataFolderLabel;
};

class PanelTest : public ::testing::Test {
 public:
  ~PanelTest() override { std::filesystem::current_path(startFolder_); }

  // The main window's start-up steps for the panel; a read that stops shows its error box.
  void start() {
    session.programFolder = program.path().string() + "/";
    panel = std::make_unique<ui::ConfigPanel>(&window, session, dialogs, host);
    panel->fillChannelLists();
    panel->gatherProductGrid();
    panel->gatherRegionPictures();
    ui::runGuarded(dialogs, [this] { panel->SetDefaults(); });
    window.resize(700, 500);
    window.show();
  }
  void startWith(const StoredSettings& stored) {
    storeConfig(stored);
    start();
  }
  void openPanel() { panel->open(); }

  void storeConfig(const StoredSettings& stored) { storeConfigBytes(formatConfig(stored)); }
  void storeConfigBytes(const std::string& bytes) { program.write("kestrova.cfg", bytes); }
  std::string storedConfig() const { return program.read("kestrova.cfg"); }
  bool configExists() const { return std::filesystem::exists(program.file("kestrova.cfg")); }

  template <typename W = QWidget>
  W* find(const char* name) const {
    auto* widget = panel->findChild<W*>(name);
    if (!widget) ADD_FAILURE() << "no control named " << name;
    return widget;
  }
  QCheckBox* box(const char* name) const { return find<QCheckBox>(name); }
  QRadioButton* radio(const char* name) const { return find<QRadioButton>(name); }
  QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
  QComboBox* list(const char* name) const { return find<QComboBox>(name); }
  std::string text(const char* name) const {
    if (auto* e = panel->findChild<QLineEdit*>(name)) return e->text().toStdString();
    return list(name)->currentText().toStdString();
  }

  // Boxes and radio buttons are clicked on their indicator, as a user does.
  void click(const char* name) {
    QWidget* widget = find(name);
    bool indicator = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
    QPoint at = indicator ? QPoint(6, widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  }
  void type(QWidget* widget, const QString& keys) { QTest::keyClicks(widget, keys); }
  void typeInto(const char* listName, const QString& keys) {
    type(list(listName)->lineEdit(), keys);
  }
  // A user's pick of an entry from the list's drop-down.
  void pick(const char* listName, const QString& entry) {
    QComboBox* combo = list(listName);
    int index = combo->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString() << " is no entry of " << listName;
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
  }
  void save() { click("SaveButton"); }
  void quit() { click("QuitConfig"); }

  TempFolder program;
  QWidget window;
  ui::Session session;
  ScriptedDialogs dialogs;
  RecordingPanelHost host;
  std::unique_ptr<ui::ConfigPanel> panel;

 private:
  std::filesystem::path startFolder_ = std::filesystem::current_path();
};

}  // namespace kestrova::testing
