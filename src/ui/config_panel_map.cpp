// The region, bound, projection and canvas controls of the remapper group.
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "base/decimal.h"
#include "base/error.h"
#include "imaging/jpeg_reader.h"
#include "ui/config_panel.h"
#include "ui/config_panel_controls.h"
#include "ui/resources/embedded_pictures.h"
#include "workflow/region_presets.h"

namespace kestrova::ui {
namespace {

QString local(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList entries(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << local(text);
  return list;
}

// Adding the first items to an editable list would replace its text with the first item.
void fillKeepingText(QComboBox* list, const QStringList& items) {
  QString text = list->currentText();
  list->clear();
  list->addItems(items);
  list->setEditText(text);
}

QPixmap decodeMap(int region) {
  QString name = QString::fromStdString(regionMapResource(region));
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly))
    throw Error("Cannot read the region map " + name.toStdString());
  QByteArray bytes = file.readAll();
  Image image = decodeJpeg(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size())));
  QImage view(
      image.pixels.data(), image.width, image.height, qsizetype(image.stride),
      image.format == PixelFormat::Grey8 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
  return QPixmap::fromImage(view.copy());
}

}  // namespace

void ConfigPanel::gatherRegionPictures() {
  c_->regionPictures.clear();
  for (int region = 0; region < kRegionCount; ++region)
    c_->regionPictures.push_back(decodeMap(region));
}

void ConfigPanel::fillMapLists() {
  QStringList latitudes = entries(latitudeList());
  QStringList longitudes = entries(longitudeList());
  for (int side = 0; side < kBoundSides; ++side)
    fillKeepingText(c_->LatLon[side], side < kWest ? latitudes : longitudes);
  c_->Regions->clear();
  for (const RegionPreset& preset : RegionPresets) c_->Regions->addItem(local(preset.name));
}

void ConfigPanel::enableBoundControls(bool enabled) {
  for (int side = 0; side < kBoundSides; ++side) {
    c_->LatLon[side]->setEnabled(enabled);
    c_->coord[side]->setEnabled(enabled);
  }
}

void ConfigPanel::writeBounds(int side, const std::string& text) {
  c_->coord[side]->setText(local(text));
  c_->LatLon[side]->setEditText(local(text));
}

void ConfigPanel::showRegion() {
  int region = session_.settings.region;
  c_->Regions->setCurrentIndex(region);
  c_->Area->setPixmap(c_->regionPictures.at(static_cast<std::size_t>(region)));
  enableBoundControls(region == kUserDefinedRegion);
}

void ConfigPanel::RegionsChange(int index) {
  session_.settings.region = index;
  c_->Area->setPixmap(c_->regionPictures.at(static_cast<std::size_t>(index)));
  if (const auto& bounds = RegionPresets.at(static_cast<std::size_t>(index)).bounds) {
    const int values[kBoundSides] = {bounds->north, bounds->south, bounds->west, bounds->east};
    for (int side = 0; side < kBoundSides; ++side) writeBounds(side, decimalText(values[side]));
  }
  enableBoundControls(index == kUserDefinedRegion);
  countEdit();
}

void ConfigPanel::LatLonChange(int side) {
  std::array<std::string, kBoundSides> texts;
  for (int i = 0; i < kBoundSides; ++i)
    texts[i] = c_->LatLon[i]->currentText().toLocal8Bit().toStdString();
  std::string adjusted = applyBoundRule(static_cast<BoundSide>(side), texts);
  c_->coord[side]->setText(local(adjusted));
  countEdit();
}

void ConfigPanel::ProjectChange(int index) {
  session_.settings.projection = index;
  countEdit();
}

void ConfigPanel::canvasClick(int preset) {
  c_->gsize0->setText(local(CanvasPresets[preset].width));
  c_->gsize1->setText(local(CanvasPresets[preset].height));
  countEdit();
}

}  // namespace kestrova::ui
