#include "ui/centre_on_screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kestrova::ui {

QPoint centredPosition(QSize outer, QSize screen) {
  // Integer division in C++ truncates toward zero, as the placement has always done.
  return {(screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2};
}

void CentreOnScreen(QWidget& window, QSize outer, QSize screen) {
  window.move(centredPosition(outer, screen));
}

QSize primaryScreenSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}

}  // namespace kestrova::ui
