#include "ui/about_box.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "ui/centre_on_screen.h"
#include "ui/config_panel_controls.h"
#include "ui/resources/embedded_pictures.h"
#include "ui/session.h"

namespace kestrova::ui {
namespace {

const QSize kOuterSize(300, 200);
const QSize kClientSize(292, 168);
constexpr int kFontPixels = 13;
constexpr int kCreditFontPixels = 15;

const char* const kFirstCredit = "Front end for the AVHRR decoding chain";
const char* const kSecondCredit = "Varnock decodes, Ostrelle remaps";

QLabel* centredLabel(QWidget* parent, const char* name, QRect place, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QFont creditFont() {
  QFont font;
  font.setFamilies({"Liberation Sans", "Arial", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kCreditFontPixels);
  font.setItalic(true);
  return font;
}

}  // namespace

AboutBox::AboutBox(QWidget* owner, QSize screenSize)
    : QWidget(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
  setObjectName("ProgDetails");
  setWindowTitle("About Kestrova");
  setFixedSize(kClientSize);
  setFont(panelFont(kFontPixels));

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setGeometry(8, 8, 278, 121);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(2);

  auto* icon = new QLabel(panel);
  icon->setObjectName("Image1");
  icon->setPixmap(QPixmap(kProgramIconResource));
  icon->setGeometry(16, 8, 32, 32);

  QLabel* title = centredLabel(panel, "Label1", {88, 8, 113, 25}, "Kestrova");
  title->setFont(panelFont(kFontPixels, true));
  Label2_ = centredLabel(panel, "Label2", {8, 48, 265, 17}, "");
  centredLabel(panel, "Label3", {8, 72, 265, 17}, kFirstCredit);
  QLabel* second = centredLabel(panel, "Label4", {5, 96, 265, 17}, kSecondCredit);
  second->setFont(creditFont());
  QPalette navy = second->palette();
  navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
  second->setPalette(navy);

  auto* close = new QPushButton("&Close", this);
  close->setObjectName("Button1");
  close->setGeometry(120, 140, 57, 25);
  connect(close, &QPushButton::clicked, this, &QWidget::hide);

  CentreOnScreen(*this, kOuterSize, screenSize);
}

void AboutBox::showInFront() {
  show();
  raise();
  activateWindow();
}

void AboutBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Label2_->setText(kVersionText);
  QWidget::changeEvent(event);
}

}  // namespace kestrova::ui
