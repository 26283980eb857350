#pragma once
// The help window behind Help > Contents: a window of our own, owned by the main window, that
// reads a compiled help file (.chm) and shows its pages, with the table of contents beside them.
#include <QWidget>
#include <memory>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;
class QUrl;

namespace kestrova::ui {

class ChmArchive;
class HelpIndexPane;
class HelpPage;

class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* owner);
  ~HelpViewer() override;

  // Opens chmPath on its default topic, shows the window and brings it to the front. A missing or
  // unreadable file is reported inside the window (its full path and the reason), never thrown.
  void showFile(const std::string& chmPath);

 private:
  void openArchive(const std::string& fullPath);
  void showDefaultTopic();
  void fillContents();
  void selectContentsEntry(const QUrl& url);
  void bringToFront();

  std::shared_ptr<const ChmArchive> archive_;
  HelpPage* page_;
  QTreeWidget* contents_;
  HelpIndexPane* index_;
  QToolButton* back_;
  QToolButton* forward_;
  QToolButton* home_;
};

}  // namespace kestrova::ui
