#pragma once
// The folder lists of the file browser and of the configuration panel: a directory list in the
// classic style (the folder's ancestors, then its sub-folders; double-click or Enter opens one) and
// a volume selector that moves it to the root of a mounted volume. Every folder the list moves to
// becomes the process's working folder.
#include <QComboBox>
#include <QListWidget>
#include <string>

namespace kestrova::ui {

class FolderTree : public QListWidget {
  Q_OBJECT
 public:
  explicit FolderTree(QWidget* parent);

  const std::string& folder() const { return folder_; }
  // Moves to folder, makes it the working folder and reports folderChanged. Raises IoError when
  // the folder does not exist or cannot be listed; the list then stays where it was.
  void moveTo(const std::string& folder);
  // Shows folder without moving the working folder or reporting a change (the design state).
  void showFolder(const std::string& folder);

 signals:
  void folderChanged(const std::string& folder);

 private:
  std::string folder_;
};

class VolumeSelector : public QComboBox {
  Q_OBJECT
 public:
  explicit VolumeSelector(QWidget* parent);
  // Lists the mounted volumes and selects the one that holds folder.
  void showVolumeOf(const std::string& folder);

 signals:
  void volumePicked(const std::string& root);
};

// The sub-folders of folder to list, hidden ones left out, sorted by name without regard to case.
std::vector<std::string> listedSubfolders(const std::string& folder);

}  // namespace kestrova::ui
