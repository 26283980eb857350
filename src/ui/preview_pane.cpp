#include "ui/preview_pane.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "imaging/picture_loader.h"

namespace kestrova::ui {
namespace {

// The display's box at start-up; contracting returns to it, so the whole picture stays inside
// the frame.
const QSize kStretchedBox(261, 398);

QImage borrowedView(const Image& image) {
  QImage::Format format =
      image.format == PixelFormat::Grey8 ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
  return QImage(image.pixels.data(), image.width, image.height,
                static_cast<qsizetype>(image.stride), format);
}

// Every n-th pixel of a large picture, picked straight from its rows: a full pass is sampled
// without first converting all of its pixels.
QImage sampled(const QImage& picture, QSize size) {
  QImage result(size, picture.format());
  const int bytesPerPixel = picture.depth() / 8;
  for (int y = 0; y < size.height(); ++y) {
    const uchar* from = picture.constScanLine(int(qint64(y) * picture.height() / size.height()));
    uchar* to = result.scanLine(y);
    for (int x = 0; x < size.width(); ++x) {
      const uchar* pixel = from + qint64(x) * picture.width() / size.width() * bytesPerPixel;
      std::copy(pixel, pixel + bytesPerPixel, to + x * bytesPerPixel);
    }
  }
  return result;
}

// Sampling down to twice the box first and averaging the rest keeps a full pass quick to show
// and still smooth.
QPixmap stretched(const QImage& picture, QSize box) {
  QSize twice = box * 2;
  bool large = picture.width() > twice.width() || picture.height() > twice.height();
  QImage source = large ? sampled(picture, twice.boundedTo(picture.size())) : picture;
  return QPixmap::fromImage(source.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
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
  Image decoded = loadPicture(path);  // raises before anything changes
  decoded_ = std::move(decoded);
  picture_ = borrowedView(decoded_);
  showPicture();
}

void PreviewPane::clearPreview() {
  SatPic_->clear();
  picture_ = QImage();
  decoded_ = Image();
}

void PreviewPane::showPicture() {
  if (picture_.isNull()) return;
  if (expanded_) {
    SatPic_->setPixmap(QPixmap::fromImage(picture_));
    SatPic_->resize(picture_.size());
  } else {
    SatPic_->setPixmap(stretched(picture_, SatPic_->size()));
  }
}

void PreviewPane::Button2Click() {
  expanded_ = !expanded_;
  if (expanded_) {
    SatPic_->setScaledContents(false);
    showPicture();
    SatPicFrame_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SatPicFrame_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  } else {
    SatPic_->setScaledContents(true);
    SatPic_->resize(kStretchedBox);
    showPicture();
    SatPicFrame_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SatPicFrame_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SatPicFrame_->horizontalScrollBar()->setValue(0);
    SatPicFrame_->verticalScrollBar()->setValue(0);
  }
}

}  // namespace kestrova::ui
