#include "ui/main_form_busy.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>
#include <array>

namespace kestrova::ui {
namespace {

constexpr std::array kUserInput = {
    QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
    QEvent::MouseMove,        QEvent::KeyPress,           QEvent::KeyRelease,
    QEvent::ShortcutOverride, QEvent::Shortcut,           QEvent::Wheel,
    QEvent::ContextMenu,      QEvent::TouchBegin,         QEvent::TouchUpdate,
    QEvent::TouchEnd,         QEvent::TabletPress,        QEvent::TabletRelease,
    QEvent::InputMethod,      QEvent::DragEnter,          QEvent::Drop,
};

}  // namespace

BusyScope::BusyScope(bool& busy) : busy_(busy) {
  busy_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  qApp->installEventFilter(this);
}

BusyScope::~BusyScope() {
  qApp->removeEventFilter(this);
  QApplication::restoreOverrideCursor();
  busy_ = false;
}

bool BusyScope::eventFilter(QObject*, QEvent* event) {
  return std::find(kUserInput.begin(), kUserInput.end(), event->type()) != kUserInput.end();
}

}  // namespace kestrova::ui
