// Picking a data file, and the decoder and remapper runs.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <optional>
#include <system_error>

#include "commands/process_launcher.h"
#include "ui/config_panel.h"
#include "ui/file_browser.h"
#include "ui/main_form.h"
#include "ui/main_form_busy.h"
#include "ui/preview_pane.h"

namespace kestrova::ui {
namespace {

QString local(const std::string& text) {
  return QString::fromLocal8Bit(text);
}

// Only files count: a folder of the same name is no picture and no location file.
bool fileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

void MainForm::File001Click() {
  m_banner_->setText(QString());
  std::string entry = browser_->selectedEntry();
  Label14_->setText(local(entry));
  Label15_->setText(local(session_.activeImageFolder));
  Pick pick = derivePick({entry, browser_->folder(), session_.activeImageFolder,
                          session_.settings.remapSource, panel_->projectionText()});
  names_ = pick.names;
  isGac_ = pick.isGac;
  m_HRPTsave_->setEnabled(true);
  doit00_->setEnabled(true);
  m_Ostrellesave_->setEnabled(true);
  doit01_->setEnabled(true);
  Label12_->setText("Varnock batch string");
  Label12_->adjustSize();
  if (isGac_) {
    // The thumbnail is never consulted for a GAC file.
    preview_->loadPreview(names_.gacPreviewPath);
  } else if (fileExists(names_.aptPreviewPath)) {
    preview_->loadPreview(names_.aptPreviewPath);  // the decoded picture beats the thumbnail
  } else if (fileExists(names_.thumbPath)) {
    preview_->loadPreview(names_.thumbPath);
  } else {
    preview_->clearPreview();
  }
  batchstring_->setText(local(buildDecoderCommand().display));
}

CommandLine MainForm::buildDecoderCommand() const {
  return kestrova::buildDecoderCommand({session_.settings.decoderFolder, names_.inputPath,
                                        session_.direction, session_.activeImageFolder,
                                        names_.baseName, session_.settings.decoderOptions});
}

void MainForm::m_HRPTsaveClick() {
  std::string entry = browser_->selectedEntry();
  m_banner_->setText(local((isGac_ ? "Processing GAC file " : "Processing HRPT file ") + entry));
  CommandLine command = buildDecoderCommand();
  showCommand("Varnock batch string", command);
  runProgram(command);
  // Reloaded even after a failed start: whatever picture exists now is shown.
  preview_->loadPreview(isGac_ ? names_.gacPreviewPath : names_.aptPreviewPath);
}

void MainForm::m_OstrellesaveClick() {
  // The location file is checked before anything is deleted: a run that cannot start must not
  // cost the user the previous output.
  if (!fileExists(names_.locationFile)) {
    dialogs_.warning(
        "You must process this file with Varnock first\nbefore remapping it with "
        "Ostrelle!");
    return;
  }
  confirmOverwrite();
  m_banner_->setText(local("Processing location file " + names_.locationFile + " in Ostrelle"));
  runProgram(buildRemapCommand());
}

void MainForm::confirmOverwrite() {
  if (!fileExists(names_.remapOutput)) return;
  if (dialogs_.warningYesNo("File exists - Overwrite (Y/N)")) {
    std::error_code ignored;  // a failed deletion is not reported
    std::filesystem::remove(names_.remapOutput, ignored);
  }
}

CommandLine MainForm::buildRemapCommand() {
  CommandLine command =
      kestrova::buildRemapCommand({session_.settings.remapperFolder, names_.locationFile,
                                   names_.remapInput, names_.remapOutput, panel_->mapRequest()});
  showCommand("Ostrelle batch string", command);
  return command;
}

void MainForm::showCommand(const char* heading, const CommandLine& command) {
  Label12_->setText(heading);
  Label12_->adjustSize();
  batchstring_->setText(local(command.display));
}

void MainForm::runProgram(const CommandLine& command) {
  // The busy state starts with the first wait, so a start-failure warning still takes input.
  std::optional<BusyScope> busy;
  ProcessLauncher launcher(dialogs_, [this, &busy] {
    if (!busy) busy.emplace(busy_);
    QApplication::processEvents(QEventLoop::AllEvents);
  });
  launcher.run(command);
  busy.reset();
  if (closePending_) {
    closePending_ = false;
    close();
  }
}

}  // namespace kestrova::ui
