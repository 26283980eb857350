// The main window's layout, menu, start-up sequence and the commands that are its own.
#include "ui/main_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <filesystem>

#include "ui/about_box.h"
#include "ui/centre_on_screen.h"
#include "ui/config_panel.h"
#include "ui/config_panel_controls.h"
#include "ui/error_guard.h"
#include "ui/file_browser.h"
#include "ui/help_file_location.h"
#include "ui/help_viewer.h"
#include "ui/preview_pane.h"

namespace kestrova::ui {
namespace {

const QSize kClientSize(654, 450);
const QSize kOuterSize(662, 496);
constexpr int kFontPixels = 11;

QString local(const std::string& text) {
  return QString::fromLocal8Bit(text);
}

template <typename W>
W* make(QWidget* parent, const char* name, QRect place, const QString& text = {}) {
  auto* widget = new W(parent);
  widget->setObjectName(name);
  widget->setGeometry(place);
  if constexpr (requires { widget->setText(text); }) widget->setText(text);
  return widget;
}

QLabel* valueLabel(QWidget* parent, const char* name, QRect place) {
  auto* label = make<QLabel>(parent, name, place);
  label->setTextFormat(Qt::PlainText);  // a file name is never markup
  return label;
}

struct Caption {
  const char* name;
  int top;
  const char* text;
};

constexpr Caption kDetailCaptions[] = {
    {"Label9", 20, "Source HRPT data ..."},
    {"Label10", 39, "Filename ......................."},
    {"Label11", 59, "Save location ..............."},
};
constexpr const char* kDetailValues[] = {"Label13", "Label14", "Label15"};

}  // namespace

MainForm::MainForm(UiDialogs& dialogs, QSize screenSize)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs) {
  buildLayout();
  buildMenu();
  connectHandlers();
  FormCreate(screenSize);
  about_ = new AboutBox(this, screenSize);
}

MainForm::~MainForm() = default;

void MainForm::buildLayout() {
  setObjectName("MainForm");
  setFont(panelFont(kFontPixels));
  auto* client = new QWidget(this);
  client->setFixedSize(kClientSize);
  setCentralWidget(client);

  browser_ = new FileBrowser(client, dialogs_);
  panel_ = new ConfigPanel(client, session_, dialogs_, *this);
  buildDetails(*client);
  buildDirectionBar(*client);
  preview_ = std::make_unique<PreviewPane>(*client, session_.expanded);
}

void MainForm::buildDetails(QWidget& client) {
  auto* group = make<QGroupBox>(&client, "GroupBox3", {4, 228, 364, 182});
  group->setTitle("Details");
  group->setFont(panelFont(kFontPixels, true));
  const QFont regular = panelFont(kFontPixels);

  // The captions are sized to their text; the values start right of the widest of them.
  int valueLeft = 117;
  for (const Caption& caption : kDetailCaptions) {
    auto* label = make<QLabel>(group, caption.name, {7, caption.top, 0, 13}, caption.text);
    label->setFont(regular);
    label->adjustSize();
    valueLeft = std::max(valueLeft, label->x() + label->width() + 3);
  }
  QLabel* values[3];
  for (int i = 0; i < 3; ++i) {
    values[i] = valueLabel(group, kDetailValues[i],
                           {valueLeft, kDetailCaptions[i].top, 358 - valueLeft, 13});
    values[i]->setFont(regular);
  }
  Label13_ = values[0];
  Label14_ = values[1];
  Label15_ = values[2];

  Label12_ = make<QLabel>(group, "Label12", {7, 86, 69, 13}, "Batch string");
  Label12_->adjustSize();
  batchstring_ = valueLabel(group, "batchstring", {7, 104, 351, 72});
  batchstring_->setFont(regular);
  batchstring_->setWordWrap(true);
  batchstring_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void MainForm::buildDirectionBar(QWidget& client) {
  // The bar's design puts the label, both radio buttons and both run buttons on one 364-pixel
  // row; at the window's font they need some 420 pixels. So the bar reaches down to the bottom
  // of the client area and the two radio buttons stand one above the other, keeping the order
  // from left to right: label, directions, "H", "Ostrelle".
  auto* bar = make<QFrame>(&client, "Panel3", {4, 416, 364, 34});
  bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bar->setLineWidth(1);
  const QFont bold = panelFont(kFontPixels, true);

  auto* label = make<QLabel>(bar, "Label23", {7, 10, 95, 13}, "Direction of travel ...");
  label->adjustSize();
  int radioLeft = std::max(111, label->x() + label->width() + 6);
  direction00_ = make<QRadioButton>(bar, "direction00", {radioLeft, 1, 0, 16}, "North to South");
  direction01_ = make<QRadioButton>(bar, "direction01", {radioLeft, 17, 0, 16}, "South to North");
  for (QRadioButton* radio : {direction00_, direction01_})
    radio->resize(radio->sizeHint().width(), radio->height());

  doit01_ = make<QPushButton>(bar, "doit01", {0, 6, 0, 21}, "Ostrelle");
  doit01_->setFont(bold);
  doit01_->setToolTip("Remap image using Ostrelle");
  int doit01Width = doit01_->fontMetrics().horizontalAdvance(doit01_->text()) + 14;
  doit01_->setGeometry(364 - 6 - doit01Width, 6, doit01Width, 21);
  doit00_ = make<QPushButton>(bar, "doit00", {doit01_->x() - 26, 6, 26, 21}, "H");
  doit00_->setFont(bold);
  doit00_->setToolTip("Decode file with Varnock");

  setTabOrder(direction00_, direction01_);
  setTabOrder(direction01_, doit00_);
  setTabOrder(doit00_, doit01_);
}

void MainForm::buildMenu() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu("File            ");
  file->setObjectName("File1");
  auto item = [](QMenu* menu, const char* name, const char* text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
  };
  m_HRPTsave_ = item(file, "m_HRPTsave", "Save HRPT image(s)");
  m_Ostrellesave_ = item(file, "m_Ostrellesave", "Save Ostrelle image");
  file->addSeparator()->setObjectName("N1");
  Configure1_ = item(file, "Configure1", "Configure");
  file->addSeparator()->setObjectName("N2");
  Exit1_ = item(file, "Exit1", "E&xit");

  QMenu* help = bar->addMenu("Help            ");
  help->setObjectName("m_Help");
  Contents_ = item(help, "Contents", "Contents");
  About_ = item(help, "About", "About Kestrova");

  // A caption-only status item: no sub-menu and nothing happens when it is clicked.
  m_banner_ = bar->addAction(QString());
  m_banner_->setObjectName("m_banner");
}

void MainForm::connectHandlers() {
  // Every command runs inside the error guard and is ignored while a program runs.
  auto command = [this](auto handler) {
    return guarded(dialogs_, [this, handler](auto&&...) {
      if (!busy_) handler();
    });
  };
  connect(browser_, &FileBrowser::entryPicked, this, command([this] { File001Click(); }));
  connect(m_HRPTsave_, &QAction::triggered, this, command([this] { m_HRPTsaveClick(); }));
  connect(doit00_, &QPushButton::clicked, this, command([this] { m_HRPTsaveClick(); }));
  connect(m_Ostrellesave_, &QAction::triggered, this, command([this] { m_OstrellesaveClick(); }));
  connect(doit01_, &QPushButton::clicked, this, command([this] { m_OstrellesaveClick(); }));
  connect(direction00_, &QRadioButton::toggled, this, command([this] {
            if (direction00_->isChecked()) session_.direction = "south";
          }));
  connect(direction01_, &QRadioButton::toggled, this, command([this] {
            if (direction01_->isChecked()) session_.direction = "north";
          }));
  connect(Configure1_, &QAction::triggered, this, command([this] { panel_->open(); }));
  connect(Exit1_, &QAction::triggered, this, command([this] { close(); }));
  connect(Contents_, &QAction::triggered, this, command([this] { ContentsClick(); }));
  connect(About_, &QAction::triggered, this, command([this] { AboutClick(); }));
  connect(&preview_->button(), &QPushButton::clicked, this,
          command([this] { preview_->Button2Click(); }));
}

void MainForm::FormCreate(QSize screenSize) {
  CentreOnScreen(*this, kOuterSize, screenSize);
  session_.programFolder = std::filesystem::current_path().string() + "/";
  browser_->setFilter(kDataFileFilter);
  panel_->fillChannelLists();
  panel_->gatherProductGrid();
  panel_->gatherRegionPictures();
  setWindowTitle(QString("Kestrova ") + kVersionText);
  direction00_->setChecked(true);
  session_.direction = "south";
  m_HRPTsave_->setEnabled(false);
  doit00_->setEnabled(false);
  m_Ostrellesave_->setEnabled(false);
  doit01_->setEnabled(false);
  setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
  // The window opens even when the stored settings cannot be read.
  runGuarded(dialogs_, [this] { panel_->SetDefaults(); });
}

void MainForm::pointFileBrowserAt(const std::string& folder) {
  browser_->moveTo(folder);
}

std::string MainForm::fileBrowserFolder() const {
  return browser_->folder();
}

void MainForm::showDataFolder(const std::string& folder) {
  Label13_->setText(local(folder));
}

void MainForm::closeEvent(QCloseEvent* event) {
  // A close request while a program runs waits until it has ended.
  if (busy_) {
    closePending_ = true;
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void MainForm::ContentsClick() {
  if (!help_) help_ = new HelpViewer(this);
  const std::filesystem::path executableFolder =
      QCoreApplication::applicationDirPath().toLocal8Bit().toStdString();
  help_->showFile(helpFilePath(session_.programFolder, executableFolder));
}

void MainForm::AboutClick() {
  about_->showInFront();
}

}  // namespace kestrova::ui
