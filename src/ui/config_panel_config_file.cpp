// The defaults, and the window's half of the configuration file: a read applied to the settings
// and the controls line by line with the controls' handlers running, and a write from them.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <filesystem>
#include <optional>

#include "base/decimal.h"
#include "base/error.h"
#include "settings/atomic_file.h"
#include "settings/config_layout.h"
#include "settings/config_writer.h"
#include "ui/config_panel.h"
#include "ui/config_panel_controls.h"
#include "ui/error_guard.h"
#include "workflow/region_presets.h"

namespace kestrova::ui {
namespace {

QString local(const std::string& text) {
  return QString::fromLocal8Bit(text);
}
std::string local(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

bool sameFolder(const std::string& a, const std::string& b) {
  auto plain = [](const std::string& folder) {
    return std::filesystem::path(folder).lexically_normal().string();
  };
  auto trimmed = [&](const std::string& folder) {
    std::string text = plain(folder);
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
  };
  return trimmed(a) == trimmed(b);
}

// The controls that hold lines 43-51, in line order; the bound lists mirror their edits.
struct TextControls {
  QComboBox* list;
  QLineEdit* edit;
};

std::array<TextControls, 9> textControls(const PanelControls& c) {
  return {{{c.xred, nullptr},
           {c.xgrn, nullptr},
           {c.xblu, nullptr},
           {c.LatLon[0], c.coord[0]},
           {c.LatLon[1], c.coord[1]},
           {c.LatLon[2], c.coord[2]},
           {c.LatLon[3], c.coord[3]},
           {nullptr, c.gsize0},
           {nullptr, c.gsize1}}};
}

std::string controlText(const TextControls& controls) {
  return local(controls.edit ? controls.edit->text() : controls.list->currentText());
}

}  // namespace

std::string ConfigPanel::configPath() const {
  return session_.programFolder + kConfigFileName;
}

void ConfigPanel::SetDefaults() {
  Session& s = session_;
  s.DirtyCounter = 0;
  s.settings.remapSource = 5;
  s.direction = "south";
  s.settings.region = 0;
  s.settings.projection = 0;
  c_->CloseHRPT->setChecked(false);
  c_->MinHRPT->setChecked(false);
  c_->ostrellepic[s.settings.remapSource]->setChecked(true);
  s.expanded = 0;
  const StoredSettings defaults;
  const std::string* bounds[kBoundSides] = {&defaults.latNorth, &defaults.latSouth,
                                            &defaults.lonWest, &defaults.lonEast};
  for (int side = 0; side < kBoundSides; ++side) c_->coord[side]->setText(local(*bounds[side]));
  for (int side = 0; side < kBoundSides; ++side)
    c_->LatLon[side]->setEditText(local(*bounds[side]));
  c_->gsize0->setText(local(defaults.canvasWidth));
  c_->gsize1->setText(local(defaults.canvasHeight));
  c_->xred->setEditText(local(defaults.rgbRed));
  c_->xgrn->setEditText(local(defaults.rgbGreen));
  c_->xblu->setEditText(local(defaults.rgbBlue));
  fillMapLists();
  c_->Regions->setCurrentIndex(s.settings.region);
  enableBoundControls(s.settings.region == kUserDefinedRegion);
  ReadConfigFile();
}

void ConfigPanel::ReadConfigFile() {
  std::optional<ConfigReadResult> read = readConfigFile(configPath());
  if (!read) return;
  std::string folderError = applyFolders(*read);
  applyProductLines(*read);
  std::optional<int> width = applyControlLines(*read);
  if (read->stop) {
    if (!folderError.empty()) dialogs_.error(withFullStop(folderError));
    read->stop->raise();
  }
  applyAfterRead(width);
  if (!folderError.empty()) throw Error(folderError);
}

std::string ConfigPanel::applyFolders(const ConfigReadResult& read) {
  StoredSettings& s = session_.settings;
  for (int line = 1; line <= ConfigLine::firstEnabled - 1; ++line)
    textField(s, line) = textField(read.values, line);
  c_->flocation[0]->setText(local(s.dataFolder));
  // A data folder that has gone away must not cost the rest of the settings: the file browser
  // stays where it is and the error is reported once the read is complete.
  std::string folderError;
  if (!s.dataFolder.empty() && !sameFolder(s.dataFolder, host_.fileBrowserFolder())) {
    try {
      host_.pointFileBrowserAt(s.dataFolder);
    } catch (const Error& e) {
      folderError = e.what();
    }
  }
  host_.showDataFolder(s.dataFolder);
  c_->flocation[1]->setText(local(s.imageFolder));
  session_.activeImageFolder = s.imageFolder;
  c_->flocation[2]->setText(local(s.decoderFolder));
  c_->flocation[3]->setText(local(s.remapperFolder));
  return folderError;
}

// Each box is set first, running its handler, and the file's value is stored over the flag.
void ConfigPanel::applyProductLines(const ConfigReadResult& read) {
  StoredSettings& s = session_.settings;
  for (int row = 0; row < kProductCount && read.has(ConfigLine::firstEnabled + row); ++row) {
    int value = read.values.productEnabled[row];
    if (value == 0 || value == 1) c_->chan[row]->setChecked(value == 1);
    s.productEnabled[row] = value;
    showChannelChooser();
  }
  for (int row = 0; row < kProductCount && read.has(ConfigLine::firstCorrected + row); ++row) {
    c_->corr[row]->setChecked(read.values.productCorrected[row] != 0);
    s.productCorrected[row] = read.values.productCorrected[row];
  }
  for (int row = 0; row < kProductCount && read.has(ConfigLine::firstBitmap + row); ++row) {
    c_->bmp[row]->setChecked(read.values.productBitmap[row] != 0);
    s.productBitmap[row] = read.values.productBitmap[row];
  }
}

std::optional<int> ConfigPanel::applyControlLines(const ConfigReadResult& read) {
  StoredSettings& s = session_.settings;
  const StoredSettings& v = read.values;
  std::optional<int> width;
  auto controls = textControls(*c_);
  for (int i = 0; i < int(controls.size()) && read.has(ConfigLine::rgbRed + i); ++i) {
    int line = ConfigLine::rgbRed + i;
    const std::string& text = textField(v, line);
    textField(s, line) = text;
    if (controls[i].edit) controls[i].edit->setText(local(text));
    if (controls[i].list) controls[i].list->setEditText(local(text));
    // Only compared with the four preset widths: a width that is no number matches none.
    if (line == ConfigLine::canvasWidth) width = parseInt32(text);
  }
  if (read.has(ConfigLine::closeDecoder)) {
    s.closeDecoder = v.closeDecoder;
    c_->CloseHRPT->setChecked(v.closeDecoder == 1);
  }
  if (read.has(ConfigLine::closeDecoder + 1)) {
    s.runMinimised = v.runMinimised;
    c_->MinHRPT->setChecked(v.runMinimised == 1);
  }
  if (read.has(ConfigLine::projection)) s.projection = v.projection;
  if (read.has(ConfigLine::remapSource)) {
    s.remapSource = v.remapSource;
    c_->ostrellepic.at(static_cast<std::size_t>(v.remapSource))->setChecked(true);
  }
  if (read.has(ConfigLine::region)) s.region = v.region;
  return width;
}

void ConfigPanel::applyAfterRead(std::optional<int> width) {
  const StoredSettings& s = session_.settings;
  c_->Project->clear();
  c_->Project->setPlaceholderText({});
  for (const char* name : ProjectionNames) c_->Project->addItem(name);
  bool known = s.projection >= 0 && s.projection < kProjectionCount;
  c_->Project->setCurrentIndex(known ? s.projection : -1);

  auto source = static_cast<std::size_t>(s.remapSource);
  c_->chan.at(source)->setChecked(true);
  c_->bmp.at(source)->setChecked(true);
  c_->ostrellepic.at(source)->setChecked(true);

  for (int preset = 0; preset < kCanvasPresets && width; ++preset)
    if (parseInt32(CanvasPresets[preset].width) == width) c_->canvas[preset]->setChecked(true);
}

void ConfigPanel::WriteConfigFile() {
  std::string path = configPath();
  AtomicFile file(path);
  StoredSettings& s = session_.settings;
  s.dataFolder = local(c_->flocation[0]->text());
  s.decoderFolder = local(c_->flocation[2]->text());
  s.imageFolder = local(c_->flocation[1]->text());
  s.remapperFolder = local(c_->flocation[3]->text());
  s.closeDecoder = c_->CloseHRPT->isChecked() ? 1 : 0;
  s.runMinimised = c_->MinHRPT->isChecked() ? 1 : 0;
  auto controls = textControls(*c_);
  for (int i = 0; i < int(controls.size()); ++i)
    textField(s, ConfigLine::rgbRed + i) = controlText(controls[i]);
  file.commit(formatConfig(s));
  dialogs_.message("Saved as " + path);
}

}  // namespace kestrova::ui
