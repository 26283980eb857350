#pragma once
// Places a window in the middle of the screen once, when it is created. The outer size is the
// window's fixed design size, so the result does not depend on what the window manager adds.
#include <QPoint>
#include <QSize>

class QWidget;

namespace kestrova::ui {

// ((screen - outer) / 2) per axis, truncated toward zero; negative on a screen smaller than the
// window, and kept so.
QPoint centredPosition(QSize outer, QSize screen);

// Moves window's outer top-left corner to centredPosition, keeping its size.
void CentreOnScreen(QWidget& window, QSize outer, QSize screen);

// The primary screen's full size (not its work area).
QSize primaryScreenSize();

}  // namespace kestrova::ui
