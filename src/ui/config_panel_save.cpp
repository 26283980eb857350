// Save and Quit, and the folder picker that fills the four folder rows.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "ui/config_panel.h"
#include "ui/config_panel_controls.h"
#include "workflow/text_pieces.h"

namespace kestrova::ui {
namespace {

std::string local(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

}  // namespace

std::string ConfigPanel::confirmationText() const {
  const StoredSettings& s = session_.settings;
  return "Do you wish to save these new configuration parameters?\n\n"
         "Raw HRPT Data Folder: " +
         local(c_->flocation[0]->text()) + "\n" +
         "Path to Varnock program: " + local(c_->flocation[2]->text()) + "\n" +
         "Folder where images are saved: " + local(c_->flocation[1]->text()) + "\n" +
         "Path to Ostrelle program: " + local(c_->flocation[3]->text()) + "\n" +
         "\nHRPT Batch String: \n" + s.decoderOptions + "\n" + "\nOstrelle Batch String: \n" +
         s.remapOptions;
}

void ConfigPanel::SaveButtonClick() {
  if (session_.DirtyCounter == 0) return;
  copyBoxesIntoFlags();
  StoredSettings& s = session_.settings;
  DecoderOptions decoder = buildDecoderOptions(DecoderOptionsInput{
      s.remapSource, s.productEnabled, s.productCorrected, s.productBitmap,
      local(c_->xred->currentText()), local(c_->xgrn->currentText()),
      local(c_->xblu->currentText()), c_->CloseHRPT->isChecked(), c_->MinHRPT->isChecked()});
  s.decoderOptions = decoder.text;
  s.closeDecoder = decoder.closeDecoder;
  s.runMinimised = decoder.runMinimised;
  s.remapOptions = buildRemapOptions(mapRequest());
  if (dialogs_.confirm(confirmationText())) {
    WriteConfigFile();
    ReadConfigFile();
  }
  hide();
}

void ConfigPanel::QuitConfigClick() {
  ReadConfigFile();
  hide();
}

void ConfigPanel::Dir002Change(const std::string& folder) {
  session_.pickedFolder = folder;
  if (tailChars(folder, 1) != "/") session_.pickedFolder += "/";
}

// With no folder picked yet the box keeps what it holds: a stray click must not lose a stored
// folder at the next Save.
void ConfigPanel::locfindClick(int row) {
  if (session_.pickedFolder.empty()) return;
  c_->flocation[row]->setText(QString::fromLocal8Bit(session_.pickedFolder));
  countEdit();
}

}  // namespace kestrova::ui
