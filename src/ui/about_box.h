#pragma once
// The about box ProgDetails: the program's name, version line, icon and two credit lines, and a
// Close button. Not modal; closing only hides it, so it reopens where it was.
#include <QWidget>

class QLabel;

namespace kestrova::ui {

class AboutBox : public QWidget {
  Q_OBJECT
 public:
  // Created hidden and centred once on a screen of screenSize.
  AboutBox(QWidget* owner, QSize screenSize);

  // Shows the box and brings it to the front; a box already open only comes to the front.
  void showInFront();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  QLabel* Label2_;
};

}  // namespace kestrova::ui
