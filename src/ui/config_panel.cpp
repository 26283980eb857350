// The panel's construction, its wiring to the handlers, and what the main window asks of it.
#include "ui/config_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/config_panel_controls.h"
#include "ui/error_guard.h"
#include "ui/folder_tree.h"
#include "workflow/text_pieces.h"

namespace kestrova::ui {
namespace {

constexpr int kPanelLeft = 4;
constexpr int kPanelTop = 4;
const QStringList kChannelItems = {"1", "2", "3", "4", "5"};

std::string local(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

template <typename W>
W* gridControl(QObject& panel, const char* prefix, int row) {
  auto* control = panel.findChild<W*>(prefix + QString::fromStdString(TwoDigitNumber(row)));
  Q_ASSERT(control);
  return control;
}

// A drop-down reacts to the user only: a picked entry or each typed character.
template <typename Handler>
void onUserText(QComboBox* list, QObject* context, Handler handler) {
  QObject::connect(list, &QComboBox::textActivated, context, handler);
  if (list->lineEdit())
    QObject::connect(list->lineEdit(), &QLineEdit::textEdited, context, handler);
}

}  // namespace

ConfigPanel::ConfigPanel(QWidget* parent, Session& session, UiDialogs& dialogs, PanelHost& host)
    : QFrame(parent),
      c_(std::make_unique<PanelControls>()),
      session_(session),
      dialogs_(dialogs),
      host_(host) {
  buildPanelLayout(*this, *c_);
  connectHandlers();
}

ConfigPanel::~ConfigPanel() = default;

void ConfigPanel::connectHandlers() {
  connectProductGrid();
  connectMapControls();
  for (int row = 0; row < kFolderRows; ++row)
    connect(c_->locfind[row], &QPushButton::clicked, this,
            guarded(dialogs_, [this, row](bool) { locfindClick(row); }));
  connect(c_->Dir002, &QListWidget::itemActivated, this,
          guarded(dialogs_, [this](QListWidgetItem* item) {
            c_->Dir002->moveTo(local(item->data(Qt::UserRole).toString()));
          }));
  connect(c_->Drive002, &VolumeSelector::volumePicked, this,
          guarded(dialogs_, [this](const std::string& root) { c_->Dir002->moveTo(root); }));
  connect(c_->Dir002, &FolderTree::folderChanged, this,
          guarded(dialogs_, [this](const std::string& folder) {
            c_->Drive002->showVolumeOf(folder);
            Dir002Change(folder);
          }));
  for (QComboBox* list : {c_->xred, c_->xgrn, c_->xblu})
    onUserText(list, this, guarded(dialogs_, [this](const QString&) { countEdit(); }));
  for (QCheckBox* box : {c_->CloseHRPT, c_->MinHRPT})
    connect(box, &QCheckBox::toggled, this, guarded(dialogs_, [this](bool) { countEdit(); }));
  connect(c_->Button1, &QPushButton::clicked, this,
          guarded(dialogs_, [this](bool) { Button1Click(); }));
  connect(c_->SaveButton, &QPushButton::clicked, this,
          guarded(dialogs_, [this](bool) { SaveButtonClick(); }));
  connect(c_->QuitConfig, &QPushButton::clicked, this,
          guarded(dialogs_, [this](bool) { QuitConfigClick(); }));
}

void ConfigPanel::connectProductGrid() {
  using Column = void (ConfigPanel::*)(const QObject&);
  struct BoxColumn {
    const char* prefix;
    Column handler;
  };
  const BoxColumn boxColumns[] = {
      {"chan0", &ConfigPanel::Channel},
      {"corr0", &ConfigPanel::Correct},
      {"bmp0", &ConfigPanel::BMPtype},
  };
  for (int row = 0; row < kProductCount; ++row) {
    for (const BoxColumn& column : boxColumns) {
      auto* box = gridControl<QCheckBox>(*this, column.prefix, row);
      Column handler = column.handler;
      connect(box, &QCheckBox::toggled, this,
              guarded(dialogs_, [this, box, handler](bool) { (this->*handler)(*box); }));
    }
    auto* radio = gridControl<QRadioButton>(*this, "ostrellepic0", row);
    connect(radio, &QRadioButton::toggled, this, guarded(dialogs_, [this, radio](bool checked) {
              if (checked) RemapPic(*radio);
            }));
  }
}

void ConfigPanel::connectMapControls() {
  connect(c_->Regions, &QComboBox::activated, this,
          guarded(dialogs_, [this](int index) { RegionsChange(index); }));
  connect(c_->Project, &QComboBox::activated, this,
          guarded(dialogs_, [this](int index) { ProjectChange(index); }));
  for (int side = 0; side < kBoundSides; ++side) {
    onUserText(c_->LatLon[side], this,
               guarded(dialogs_, [this, side](const QString&) { LatLonChange(side); }));
    connect(c_->coord[side], &QLineEdit::textChanged, this,
            guarded(dialogs_, [this](const QString&) { countEdit(); }));
  }
  for (int preset = 0; preset < kCanvasPresets; ++preset)
    connect(c_->canvas[preset], &QRadioButton::toggled, this,
            guarded(dialogs_, [this, preset](bool checked) {
              if (checked) canvasClick(preset);
            }));
}

void ConfigPanel::fillChannelLists() {
  for (QComboBox* list : {c_->xred, c_->xgrn, c_->xblu}) {
    QString text = list->currentText();
    list->addItems(kChannelItems);
    list->setEditText(text);
  }
}

void ConfigPanel::gatherProductGrid() {
  for (int row = 0; row < kProductCount; ++row) {
    c_->chan[row] = gridControl<QCheckBox>(*this, "chan0", row);
    c_->corr[row] = gridControl<QCheckBox>(*this, "corr0", row);
    c_->bmp[row] = gridControl<QCheckBox>(*this, "bmp0", row);
    c_->ostrellepic[row] = gridControl<QRadioButton>(*this, "ostrellepic0", row);
  }
}

void ConfigPanel::open() {
  move(kPanelLeft, kPanelTop);
  show();
  raise();
  session_.DirtyCounter = 0;
  showRegion();
}

MapRequest ConfigPanel::mapRequest() const {
  return MapRequest{local(c_->coord[0]->text()),
                    local(c_->coord[1]->text()),
                    local(c_->coord[2]->text()),
                    local(c_->coord[3]->text()),
                    local(c_->gsize0->text()),
                    local(c_->gsize1->text()),
                    projectionText()};
}

std::string ConfigPanel::projectionText() const {
  // With no entry chosen the list shows its design text (or nothing once it has been filled).
  if (c_->Project->currentIndex() < 0) return local(c_->Project->placeholderText());
  return local(c_->Project->currentText());
}

}  // namespace kestrova::ui
