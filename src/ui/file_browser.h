#pragma once
// The file browser Panel1 of the main window: the volume selector Drive001, the directory list
// Dir001, the filter selector Ftype and the file list File001, linked so that the volume moves
// the directory list, the directory list and the filter refill the file list. Every folder the
// directory list moves to becomes the process's working folder.
#include <QFrame>
#include <QListWidget>
#include <string>
#include <vector>

#include "ui/file_browser_listing.h"
#include "ui/ui_dialogs.h"

class QComboBox;

namespace kestrova::ui {

class FolderTree;
class VolumeSelector;

// File001: one entry selectable at a time. picked() is emitted for every selection by mouse or
// keyboard, and for a click on the entry that is already selected; refilling emits nothing.
class FileList : public QListWidget {
  Q_OBJECT
 public:
  explicit FileList(QWidget* parent);
  // Replaces the entries and leaves none selected.
  void fill(const std::vector<std::string>& names);

 signals:
  void picked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool selectionChangedSincePress_ = false;
};

class FileBrowser : public QFrame {
  Q_OBJECT
 public:
  FileBrowser(QWidget* parent, UiDialogs& dialogs);

  // Gives Ftype its entries, selects the first and lists the folder with its mask.
  void setFilter(std::string_view filterText);
  // Moves Dir001 (and the working folder) to folder and lists its files. Raises IoError when the
  // folder does not exist or cannot be listed; nothing moves then.
  void moveTo(const std::string& folder);
  const std::string& folder() const;
  // The selected entry of File001; raises the list-index error when none is selected.
  std::string selectedEntry() const;

 signals:
  void entryPicked();

 private:
  void showFiles();

  UiDialogs& dialogs_;
  VolumeSelector* Drive001_;
  FolderTree* Dir001_;
  QComboBox* Ftype_;
  FileList* File001_;
  std::vector<FilterEntry> filters_;
  std::string mask_;
};

}  // namespace kestrova::ui
