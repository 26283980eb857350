#include <QMessageBox>
#include <QPushButton>

#include "ui/ui_dialogs.h"

namespace kestrova::ui {
namespace {

QString local(const std::string& text) { return QString::fromLocal8Bit(text); }

}  // namespace

QtDialogs::QtDialogs(QWidget* parent, std::string applicationTitle)
    : parent_(parent), title_(std::move(applicationTitle)) {}

void QtDialogs::warning(const std::string& text) {
  QMessageBox::warning(parent_, "Warning", local(text), QMessageBox::Ok);
}

bool QtDialogs::warningYesNo(const std::string& text) {
  return QMessageBox::warning(parent_, "Warning", local(text), QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtDialogs::confirm(const std::string& text) {
  QMessageBox box(QMessageBox::Information, "Information", local(text), QMessageBox::NoButton,
                  parent_);
  QPushButton* yes = box.addButton("&Yes", QMessageBox::YesRole);
  QPushButton* no = box.addButton("&No", QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

void QtDialogs::message(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, local(title_), local(text), QMessageBox::Ok, parent_);
  box.exec();
}

void QtDialogs::error(const std::string& text) {
  QMessageBox::critical(parent_, local(title_), local(text), QMessageBox::Ok);
}

}  // namespace kestrova::ui
