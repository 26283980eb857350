#pragma once
// The help window behind Help > Contents: a window of our own, owned by the main window, that
// reads a compiled help file (.chm) and shows its pages, with the table of contents beside them.
#include <QWidget>
#include <string>

namespace kestrova::ui {

class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* owner);
  ~HelpViewer() override;

  // Opens chmPath on its default topic, shows the window and brings it to the front. A missing or
  // unreadable file is reported inside the window (its full path and the reason), never thrown.
  void showFile(const std::string& chmPath);
};

}  // namespace kestrova::ui
