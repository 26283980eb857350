#pragma once
// The preview pane: the picture display SatPic inside the scroll box SatPicFrame, and the
// Expand/Contract button Button2 below it. Contracted, the picture is stretched into the
// display's box; expanded, it is shown at its natural size and panned with scroll bars.
#include <QImage>
#include <string>

#include "imaging/image.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QWidget;

namespace kestrova::ui {

class PreviewPane {
 public:
  // Builds the three controls inside parent; expanded is the session's flag.
  PreviewPane(QWidget& parent, int& expanded);

  // Shows the picture file at path when a file (not a folder) is there, else empties the pane.
  // A file that cannot be read raises the loader's error and keeps the previous picture.
  void loadPreview(const std::string& path);
  void clearPreview();
  void Button2Click();

  QPushButton& button() { return *Button2_; }

 private:
  // The picture at its natural size when expanded, else scaled down to the display's box once,
  // so a full-pass picture is not rescaled on every repaint.
  void showPicture();

  int& expanded_;
  Image decoded_;
  QImage picture_;  // borrows decoded_'s pixels
  QScrollArea* SatPicFrame_;
  QLabel* SatPic_;
  QPushButton* Button2_;
};

}  // namespace kestrova::ui
