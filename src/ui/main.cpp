// kestrova: the desktop front end of the decoding chain.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "ui/centre_on_screen.h"
#include "ui/error_guard.h"
#include "ui/main_form.h"
#include "ui/resources/embedded_pictures.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  std::string title = kestrova::ui::applicationTitle(argc > 0 ? argv[0] : "kestrova");
  QApplication::setApplicationName(QString::fromLocal8Bit(title));
  QApplication::setWindowIcon(QIcon(kestrova::kProgramIconResource));

  kestrova::ui::QtDialogs dialogs(nullptr, title);
  kestrova::ui::MainForm window(dialogs, kestrova::ui::primaryScreenSize());
  window.show();
  return QApplication::exec();
}
