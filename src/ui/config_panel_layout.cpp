// The panel's controls at the positions, sizes, captions and fonts of its layout tables.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <limits>

#include "ui/config_panel_controls.h"
#include "ui/folder_tree.h"
#include "workflow/region_presets.h"
#include "workflow/text_pieces.h"

namespace kestrova::ui {
namespace {

struct Place {
  int left, top, width, height;
};

struct Caption {
  const char* name;
  Place place;
  const char* text;
};

constexpr int kPanelWidth = 504;
constexpr int kPanelHeight = 440;
constexpr int kPanelFontPixels = 11;
constexpr int kGroupFontPixels = 12;
const QColor kBoundListColour(247, 227, 168);

template <typename W>
W* make(QWidget* parent, const char* name, Place place) {
  auto* widget = new W(parent);
  widget->setObjectName(name);
  widget->setGeometry(place.left, place.top, place.width, place.height);
  return widget;
}

QFrame* bevelPanel(QWidget* parent, const char* name, Place place) {
  auto* frame = make<QFrame>(parent, name, place);
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(2);
  return frame;
}

QLabel* label(QWidget* parent, const Caption& caption) {
  auto* widget = make<QLabel>(parent, caption.name, caption.place);
  widget->setText(QString::fromUtf8(caption.text));
  return widget;
}

// Every drop-down of the panel takes typed text as it stands: no completion, nothing inserted.
QComboBox* editableList(QWidget* parent, const char* name, Place place) {
  auto* list = make<QComboBox>(parent, name, place);
  list->setEditable(true);
  list->setCompleter(nullptr);
  list->setInsertPolicy(QComboBox::NoInsert);
  return list;
}

// Region and projection index the maps and the stored file, so they only take a picked entry.
QComboBox* pickOnlyList(QWidget* parent, const char* name, Place place) {
  auto* list = make<QComboBox>(parent, name, place);
  list->setEditable(false);
  return list;
}

void paleYellow(QComboBox* list) {
  QPalette palette = list->palette();
  palette.setColor(QPalette::Base, kBoundListColour);
  palette.setColor(QPalette::Button, kBoundListColour);
  list->setPalette(palette);
  list->lineEdit()->setPalette(palette);
}

constexpr Caption kFolderLabels[kFolderRows] = {
    {"Label1", {10, 3, 186, 16}, "Location of the raw HRPT data files"},
    {"Label2", {10, 38, 296, 16}, "Folder where decoded images will be saved"},
    {"Label3", {10, 73, 270, 16}, "Folder containing the Varnock.exe program"},
    {"Label4", {10, 108, 257, 16}, "Folder containing the Ostrelle.exe program"},
};
constexpr Place kFolderEdits[kFolderRows] = {
    {10, 19, 309, 15}, {10, 54, 309, 21}, {10, 86, 309, 21}, {10, 124, 309, 21}};
constexpr Place kSetButtons[kFolderRows] = {
    {327, 19, 31, 15}, {327, 54, 31, 15}, {327, 86, 31, 16}, {327, 124, 31, 16}};

void buildFolderRows(QFrame& panel, PanelControls& c) {
  for (int row = 0; row < kFolderRows; ++row) {
    std::string n = std::to_string(row);
    label(&panel, kFolderLabels[row]);
    c.flocation[row] = make<QLineEdit>(&panel, ("flocation" + n).c_str(), kFolderEdits[row]);
    c.locfind[row] = make<QPushButton>(&panel, ("locfind" + n).c_str(), kSetButtons[row]);
    c.locfind[row]->setText("Set");
  }
  QFrame* panel2 = bevelPanel(&panel, "Panel2", {368, 6, 127, 182});
  c.Dir002 = make<FolderTree>(panel2, "Dir002", {8, 8, 110, 142});
  c.Dir002->setToolTip("Double-click a folder to select it");
  c.Drive002 = make<VolumeSelector>(panel2, "Drive002", {8, 155, 110, 19});
  std::string start = std::filesystem::current_path().string();
  c.Dir002->showFolder(start);
  c.Drive002->showVolumeOf(start);
}

void buildChannelChooser(QFrame& panel, PanelControls& c) {
  c.setRGB = bevelPanel(&panel, "setRGB", {232, 154, 129, 33});
  c.xred = editableList(c.setRGB, "xred", {8, 6, 38, 21});
  c.xgrn = editableList(c.setRGB, "xgrn", {48, 6, 38, 21});
  c.xblu = editableList(c.setRGB, "xblu", {88, 6, 38, 21});
}

struct GridColumn {
  const char* panel;
  Place place;
  const char* prefix;
  Caption heading;
};

constexpr GridColumn kGridColumns[] = {
    {"Panel4", {8, 33, 89, 202}, "chan0", {"Label5", {8, 20, 49, 15}, "Image tab"}},
    {"Panel5", {100, 33, 33, 195}, "corr0", {"Label6", {96, 20, 41, 15}, "Correct"}},
    {"Panel6", {140, 33, 33, 195}, "bmp0", {"Label8", {144, 20, 25, 15}, "BMP"}},
    {"Panel7", {176, 33, 33, 195}, "ostrellepic0", {"Label7", {174, 20, 38, 15}, "Remap"}},
};

struct GridRow {
  int top, height;
};
constexpr GridRow kGridRows[kProductCount] = {{2, 17},   {18, 16},  {33, 17},  {50, 17},
                                              {66, 17},  {81, 17},  {98, 17},  {114, 17},
                                              {129, 17}, {145, 18}, {162, 17}, {177, 17}};
constexpr int kGridLeft = 8;
constexpr int kCaptionedWidth = 81;  // the whole column: 73 clips "Channel-1" at this font
constexpr int kPlainWidth = 25;

void buildProductGrid(QGroupBox& group, const QFont& regular) {
  QFont heading = panelFont(kGroupFontPixels, false, true);
  for (std::size_t column = 0; column < std::size(kGridColumns); ++column) {
    const GridColumn& columnLayout = kGridColumns[column];
    label(&group, columnLayout.heading)->setFont(heading);
    auto* holder = make<QWidget>(&group, columnLayout.panel, columnLayout.place);
    holder->setFont(regular);
    for (int row = 0; row < kProductCount; ++row) {
      std::string name = columnLayout.prefix + TwoDigitNumber(row);
      bool captioned = column == 0;
      Place place{kGridLeft, kGridRows[row].top, captioned ? kCaptionedWidth : kPlainWidth,
                  kGridRows[row].height};
      QAbstractButton* box =
          column == 3
              ? static_cast<QAbstractButton*>(make<QRadioButton>(holder, name.c_str(), place))
              : make<QCheckBox>(holder, name.c_str(), place);
      if (captioned)
        box->setText(
            QString::fromUtf8(ProductTable[row].caption.data(), ProductTable[row].caption.size()));
    }
  }
}

void buildDecoderGroup(QFrame& panel, PanelControls& c) {
  auto* group = make<QGroupBox>(&panel, "GroupBox2", {10, 149, 214, 267});
  group->setTitle("Varnock batch commands");
  group->setFont(panelFont(kGroupFontPixels, true));
  QFont regular = panelFont(kGroupFontPixels);
  buildProductGrid(*group, regular);
  c.CloseHRPT = make<QCheckBox>(group, "CloseHRPT", {15, 232, 192, 17});
  c.CloseHRPT->setText("Close Varnock on completion");
  c.MinHRPT = make<QCheckBox>(group, "MinHRPT", {15, 249, 169, 16});
  c.MinHRPT->setText("Run Varnock minimised");
  for (QCheckBox* box : {c.CloseHRPT, c.MinHRPT}) {
    box->setFont(regular);
    box->setChecked(true);
  }
}

constexpr Caption kRemapLabels[] = {
    {"Label16", {7, 33, 33, 13}, "Lat(N)"},
    {"Label17", {7, 62, 33, 13}, "Lat(S)"},
    {"Label18", {7, 91, 39, 13}, "Lon(W)"},
    {"Label19", {7, 120, 33, 13}, "Lon(E)"},
    {"Label24", {52, 140, 92, 13}, "Region ................"},
    {"Label20", {7, 167, 33, 13}, "Width"},
    {"Label21", {91, 167, 33, 13}, "Height"},
    {"Label22", {7, 198, 52, 13}, "Projection"},
};
constexpr Place kCoordEdits[kBoundSides] = {
    {52, 26, 27, 20}, {52, 55, 27, 20}, {52, 85, 28, 19}, {52, 114, 28, 19}};
constexpr int kBoundListTops[kBoundSides] = {26, 55, 85, 114};
// The longitude lists are wider than the layout's 49 so that "-180" shows whole.
constexpr int kBoundListWidths[kBoundSides] = {49, 49, 55, 55};
constexpr int kCanvasTops[kCanvasPresets] = {163, 176, 189, 202};
// The canvas captions need more than the layout's 78 pixels at this font: the buttons start ten
// pixels further left, still clear of the height edit.
constexpr int kCanvasLeft = 166;
constexpr int kCanvasWidth = 94;

void buildBounds(QGroupBox& group, PanelControls& c, const QFont& regular) {
  for (int side = 0; side < kBoundSides; ++side) {
    std::string n = std::to_string(side);
    c.coord[side] = make<QLineEdit>(&group, ("coord" + n).c_str(), kCoordEdits[side]);
    c.coord[side]->setEnabled(false);  // keeps the group's bold font
    c.LatLon[side] = editableList(&group, ("LatLon" + n).c_str(),
                                  {88, kBoundListTops[side], kBoundListWidths[side], 21});
    c.LatLon[side]->setFont(regular);
    paleYellow(c.LatLon[side]);
  }
}

void buildRemapperGroup(QFrame& panel, PanelControls& c) {
  auto* group = make<QGroupBox>(&panel, "GroupBox1", {232, 191, 263, 226});
  group->setTitle("Ostrelle batch commands");
  group->setFont(panelFont(kGroupFontPixels, true));
  QFont regular = panelFont(kGroupFontPixels);
  for (const Caption& caption : kRemapLabels) label(group, caption)->setFont(regular);
  buildBounds(*group, c, regular);
  c.Area = make<QLabel>(group, "Area", {150, 26, 104, 105});
  c.Area->setScaledContents(true);
  c.Regions = pickOnlyList(group, "Regions", {150, 134, 104, 21});
  auto* rule = make<QFrame>(group, "Shape1", {11, 157, 243, 1});
  rule->setFrameStyle(QFrame::HLine | QFrame::Plain);
  c.gsize0 = make<QLineEdit>(group, "gsize0", {46, 163, 33, 20});
  c.gsize1 = make<QLineEdit>(group, "gsize1", {130, 163, 33, 20});
  for (int preset = 0; preset < kCanvasPresets; ++preset) {
    std::string name = "canvas0" + std::to_string(preset + 1);
    c.canvas[preset] = make<QRadioButton>(group, name.c_str(),
                                          {kCanvasLeft, kCanvasTops[preset], kCanvasWidth, 13});
    const std::string_view caption = CanvasPresets[preset].caption;
    c.canvas[preset]->setText(QString::fromUtf8(caption.data(), caption.size()));
  }
  c.Project = pickOnlyList(group, "Project", {75, 194, 88, 21});
  c.Project->setPlaceholderText("Polar");  // the design text, shown until the file fills the list
  for (QWidget* widget :
       std::initializer_list<QWidget*>{c.Regions, c.gsize0, c.gsize1, c.Project, c.canvas[0],
                                       c.canvas[1], c.canvas[2], c.canvas[3]})
    widget->setFont(regular);
}

void buildCommandButtons(QFrame& panel, PanelControls& c) {
  c.Button1 = make<QPushButton>(&panel, "Button1", {52, 419, 145, 17});
  c.Button1->setText("&Reset checkboxes to defalts");
  c.SaveButton = make<QPushButton>(&panel, "SaveButton", {410, 419, 32, 17});
  c.SaveButton->setText("&Save");
  c.SaveButton->setToolTip("Save details and close screen");
  c.QuitConfig = make<QPushButton>(&panel, "QuitConfig", {455, 419, 38, 17});
  c.QuitConfig->setText("&Quit");
  c.QuitConfig->setToolTip("Close screen without saving");
}

// The keyboard order of the layout's tab positions, group by group.
void setTabOrder(QFrame& panel) {
  const char* const order[] = {
      "flocation0", "flocation1", "flocation3", "locfind0", "locfind1", "locfind3", "Dir002",
      "Drive002",   "xred",       "xblu",       "xgrn",     "coord0",   "coord1",   "coord2",
      "coord3",     "gsize0",     "gsize1",     "LatLon0",  "LatLon1",  "LatLon2",  "LatLon3",
      "Regions",    "Project",    "canvas01",   "canvas02", "canvas03", "canvas04", "Button1",
      "SaveButton", "QuitConfig", "CloseHRPT",  "MinHRPT"};
  std::vector<QWidget*> chain;
  for (const char* name : order) chain.push_back(panel.findChild<QWidget*>(name));
  for (const GridColumn& column : kGridColumns)
    for (int row = 0; row < kProductCount; ++row)
      chain.push_back(
          panel.findChild<QWidget*>(column.prefix + QString::fromStdString(TwoDigitNumber(row))));
  chain.push_back(panel.findChild<QWidget*>("flocation2"));
  chain.push_back(panel.findChild<QWidget*>("locfind2"));
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// Captions keep their left edge and grow to the width their text needs at the toolkit's font;
// the layout leaves room to their right for every one of them.
void fitCaptions(QFrame& panel) {
  for (QWidget* widget : panel.findChildren<QWidget*>()) {
    if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget)) continue;
    if (qobject_cast<QPushButton*>(widget) || widget->objectName() == "Area") continue;
    int wanted = widget->sizeHint().width();
    if (wanted > widget->width()) widget->resize(wanted, widget->height());
  }
}

}  // namespace

QFont panelFont(int pixels, bool bold, bool underline) {
  QFont font;
  // Helvetica's metrics come closest to the layout's; DejaVu Sans runs some captions past their
  // boxes at these sizes.
  font.setFamilies({"Nimbus Sans", "Liberation Sans", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

void buildPanelLayout(QFrame& panel, PanelControls& controls) {
  panel.setObjectName("DialogFrame");
  panel.setFixedSize(kPanelWidth, kPanelHeight);
  panel.setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel.setLineWidth(2);
  panel.setAutoFillBackground(true);
  panel.setFont(panelFont(kPanelFontPixels));
  buildFolderRows(panel, controls);
  buildChannelChooser(panel, controls);
  buildDecoderGroup(panel, controls);
  buildRemapperGroup(panel, controls);
  buildCommandButtons(panel, controls);
  setTabOrder(panel);
  fitCaptions(panel);
  // Edits take texts of any length: Qt's default limit would cut a long stored value on Save.
  for (QLineEdit* edit : panel.findChildren<QLineEdit*>())
    edit->setMaxLength(std::numeric_limits<int>::max());
  panel.hide();
}

}  // namespace kestrova::ui
