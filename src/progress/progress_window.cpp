#include "progress/progress_window.h"

#include <algorithm>

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMetaObject>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "imaging/picture_loader.h"

namespace kestrova::progress {

namespace {

constexpr int kBarSteps = 1000;
const QSize kMinimumSize(640, 420);

// How each kind of message stands out in the list: warnings amber, errors red, both bold.
struct MessageLook {
  const char* prefix;
  QColor colour;
  bool bold;
};
MessageLook lookOf(Severity severity) {
  switch (severity) {
    case Severity::Warning:
      return {"Warning: ", QColor(160, 90, 0), true};
    case Severity::Error:
      return {"Error: ", QColor(190, 0, 0), true};
    case Severity::Info:
      break;
  }
  return {"", QColor(), false};
}

QImage toQImage(const Image& image) {
  const QImage::Format format =
      image.format == PixelFormat::Grey8 ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
  return QImage(image.pixels.data(), image.width, image.height,
                static_cast<qsizetype>(image.stride), format)
      .copy();
}

}  // namespace

ProgressWindow::ProgressWindow(const QString& title)
    : stage_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      picture_(new QLabel(this)),
      messages_(new QListWidget(this)),
      close_(new QPushButton(tr("Close"), this)) {
  setWindowTitle(title);
  setObjectName("ProgressWindow");
  stage_->setObjectName("stage");
  QFont bold = stage_->font();
  bold.setBold(true);
  stage_->setFont(bold);
  bar_->setObjectName("progress");
  bar_->setRange(0, kBarSteps);
  bar_->setValue(0);
  picture_->setObjectName("picture");
  picture_->setAlignment(Qt::AlignCenter);
  picture_->hide();
  messages_->setObjectName("messages");
  messages_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  messages_->setWordWrap(true);
  close_->setObjectName("close");
  close_->setEnabled(false);
  close_->setDefault(true);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close_);
  // The picture and the messages share the middle: side by side for a tall picture (a pass),
  // one above the other for a wide one (a map).
  content_ = new QBoxLayout(QBoxLayout::TopToBottom);
  content_->addWidget(picture_);
  content_->addWidget(messages_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(stage_);
  layout->addWidget(bar_);
  layout->addLayout(content_, 1);
  layout->addLayout(buttons);
  resize(kMinimumSize);
}

void ProgressWindow::setStage(const QString& text) {
  stage_->setText(text);
}

void ProgressWindow::setProgress(double fraction) {
  const int value = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kBarSteps);
  if (value > bar_->value()) bar_->setValue(value);
}

void ProgressWindow::addMessage(Severity severity, const QString& text) {
  const MessageLook look = lookOf(severity);
  auto* item = new QListWidgetItem(QString::fromLatin1(look.prefix) + text, messages_);
  if (look.colour.isValid()) item->setForeground(look.colour);
  if (look.bold) {
    QFont font = item->font();
    font.setBold(true);
    item->setFont(font);
  }
  messages_->scrollToItem(item);
}

void ProgressWindow::setPicture(const QString& path) {
  picturePath_ = path;
}

void ProgressWindow::finish(int status) {
  finished_ = true;
  bar_->setValue(status == 0 ? kBarSteps : bar_->value());
  setStage(status == 0 ? tr("Done") : tr("Failed"));
  if (status == 0 && !picturePath_.isEmpty()) showPicture();
  close_->setEnabled(true);
  close_->setFocus();
}

QStringList ProgressWindow::messages() const {
  QStringList lines;
  for (int i = 0; i < messages_->count(); ++i) lines << messages_->item(i)->text();
  return lines;
}

void ProgressWindow::showPicture() {
  QImage image;
  try {
    image = toQImage(loadPicture(picturePath_.toLocal8Bit().toStdString()));
  } catch (const std::exception& e) {
    addMessage(Severity::Warning, QString::fromLocal8Bit(e.what()));
    return;
  }
  // The picture takes most of the screen at most, scaled with its proportions kept; the
  // messages stay readable beside or below it.
  const bool tall = image.height() > image.width();
  content_->setDirection(tall ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize room = screen ? screen->availableGeometry().size() * 0.75 : QSize(960, 720);
  const QSize box = tall ? QSize(room.width() / 2, room.height() - 150)
                         : QSize(room.width(), room.height() - 200);
  const QSize shown = image.size().scaled(box.boundedTo(image.size()), Qt::KeepAspectRatio);
  picture_->setPixmap(
      QPixmap::fromImage(image.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  picture_->setFixedSize(shown);
  picture_->show();
  if (tall) {
    messages_->setMinimumWidth(kMinimumSize.width() - 60);
  } else {
    messages_->setMinimumHeight(140);
  }
  adjustSize();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // The work cannot be left half done (its files would be missing); the window closes at the end.
  if (finished_) {
    event->accept();
  } else {
    event->ignore();
  }
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  const bool closingKey = event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
                          event->key() == Qt::Key_Enter;
  if (closingKey && finished_) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

template <class F>
void WindowReporter::post(F f) {
  QMetaObject::invokeMethod(&window_, std::move(f), Qt::QueuedConnection);
}

void WindowReporter::stage(const std::string& text) {
  post([w = &window_, t = QString::fromLocal8Bit(text)] { w->setStage(t); });
}

void WindowReporter::progress(double fraction) {
  post([w = &window_, fraction] { w->setProgress(fraction); });
}

void WindowReporter::message(Severity severity, const std::string& text) {
  post([w = &window_, severity, t = QString::fromLocal8Bit(text)] { w->addMessage(severity, t); });
}

void WindowReporter::showPicture(const std::string& path) {
  post([w = &window_, p = QString::fromLocal8Bit(path)] { w->setPicture(p); });
}

}  // namespace kestrova::progress
