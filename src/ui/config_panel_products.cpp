// The product grid's column handlers and the reset button.
#include <QCheckBox>
#include <QFrame>
#include <QRadioButton>

#include "ui/config_panel.h"
#include "ui/config_panel_controls.h"
#include "workflow/text_pieces.h"

namespace kestrova::ui {
namespace {

constexpr int kResetSource = 5;

int rowOf(const QObject& control) {
  return IndexFromName(control.objectName().toLocal8Bit().toStdString());
}

// The flags are toggled, not copied from the box: they follow the box only while they matched.
void toggle(ProductFlags& flags, const QObject& control) {
  int& flag = flags.at(static_cast<std::size_t>(rowOf(control)));
  flag = 1 - flag;
}

}  // namespace

void ConfigPanel::Channel(const QObject& sender) {
  toggle(session_.settings.productEnabled, sender);
  showChannelChooser();
  countEdit();
}

void ConfigPanel::Correct(const QObject& sender) {
  toggle(session_.settings.productCorrected, sender);
  countEdit();
}

void ConfigPanel::BMPtype(const QObject& sender) {
  toggle(session_.settings.productBitmap, sender);
  countEdit();
}

void ConfigPanel::RemapPic(const QObject& sender) {
  session_.settings.remapSource = rowOf(sender);
  countEdit();
}

void ConfigPanel::showChannelChooser() {
  c_->setRGB->setVisible(session_.settings.productEnabled[kRgbProduct] == 1);
}

// Each pass clears one row and re-checks the reset state, so chan005 is cleared and checked again
// on the sixth pass and the reset always counts as an edit.
void ConfigPanel::Button1Click() {
  for (int row = 0; row < kProductCount; ++row) {
    c_->chan[row]->setChecked(false);
    c_->corr[row]->setChecked(false);
    c_->bmp[row]->setChecked(false);
    c_->ostrellepic[kResetSource]->setChecked(true);
    session_.settings.remapSource = kResetSource;
    c_->chan[kResetSource]->setChecked(true);
    c_->bmp[kResetSource]->setChecked(true);
  }
}

void ConfigPanel::copyBoxesIntoFlags() {
  StoredSettings& s = session_.settings;
  for (int row = 0; row < kProductCount; ++row) s.productEnabled[row] = c_->chan[row]->isChecked();
  for (int row = 0; row < kProductCount; ++row)
    s.productCorrected[row] = c_->corr[row]->isChecked();
  for (int row = 0; row < kProductCount; ++row) s.productBitmap[row] = c_->bmp[row]->isChecked();
}

}  // namespace kestrova::ui
