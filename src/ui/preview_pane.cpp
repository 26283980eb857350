#include "ui/preview_pane.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <filesystem>
#include <system_error>

#include "imaging/picture_loader.h"

namespace kestrova::ui {
namespace {

// The display's box at start-up; contracting returns to it, so the whole picture stays inside
// the frame.
const QSize kStretchedBox(261, 398);

QPixmap toPixmap(const Image& image) {
  QImage::Format format =
      image.format == PixelFormat::Grey8 ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
  // The QImage borrows the buffer; the pixmap is a copy that outlives it.
  QImage view(image.pixels.data(), image.width, image.height, static_cast<qsizetype>(image.stride),
              format);
  return QPixmap::fromImage(view);
}

bool isFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

PreviewPane::PreviewPane(QWidget& parent, int& expanded) : expanded_(expanded) {
  SatPicFrame_ = new QScrollArea(&parent);
  SatPicFrame_->setObjectName("SatPicFrame");
  SatPicFrame_->setGeometry(377, 3, 271, 407);
  SatPicFrame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  SatPicFrame_->setLineWidth(2);
  SatPicFrame_->setContentsMargins(1, 1, 1, 1);
  SatPicFrame_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SatPicFrame_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SatPicFrame_->setWidgetResizable(false);
  SatPicFrame_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  SatPic_ = new QLabel;
  SatPic_->setObjectName("SatPic");
  SatPic_->setScaledContents(true);
  SatPic_->resize(kStretchedBox);
  SatPicFrame_->setWidget(SatPic_);

  Button2_ = new QPushButton("Expand/Contract Image", &parent);
  Button2_->setObjectName("Button2");
  Button2_->setGeometry(377, 416, 271, 27);
}

void PreviewPane::loadPreview(const std::string& path) {
  if (!isFile(path)) {
    clearPreview();
    return;
  }
  QPixmap picture = toPixmap(loadPicture(path));
  SatPic_->setPixmap(picture);
  if (expanded_) SatPic_->resize(picture.size());
}

void PreviewPane::clearPreview() {
  SatPic_->clear();
}

void PreviewPane::Button2Click() {
  expanded_ = !expanded_;
  if (expanded_) {
    SatPic_->setScaledContents(false);
    QPixmap picture = SatPic_->pixmap();
    SatPic_->resize(picture.isNull() ? kStretchedBox : picture.size());
    SatPicFrame_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SatPicFrame_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  } else {
    SatPic_->setScaledContents(true);
    SatPic_->resize(kStretchedBox);
    SatPicFrame_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SatPicFrame_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SatPicFrame_->horizontalScrollBar()->setValue(0);
    SatPicFrame_->verticalScrollBar()->setValue(0);
  }
}

}  // namespace kestrova::ui
