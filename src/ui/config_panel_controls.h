#pragma once
// The controls of the configuration panel, as the layout builds them and the handlers use them.
#include <QPixmap>
#include <array>
#include <vector>

#include "settings/product_table.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kestrova::ui {

class FolderTree;
class VolumeSelector;

inline constexpr int kFolderRows = 4;
inline constexpr int kBoundSides = 4;
inline constexpr int kCanvasPresets = 4;

struct PanelControls {
  // Folder rows: flocationN with its "Set" button locfindN; the folder picker in Panel2.
  std::array<QLineEdit*, kFolderRows> flocation{};
  std::array<QPushButton*, kFolderRows> locfind{};
  FolderTree* Dir002 = nullptr;
  VolumeSelector* Drive002 = nullptr;

  // The RGB channel chooser.
  QFrame* setRGB = nullptr;
  QComboBox* xred = nullptr;
  QComboBox* xgrn = nullptr;
  QComboBox* xblu = nullptr;

  // Decoder group.
  QCheckBox* CloseHRPT = nullptr;
  QCheckBox* MinHRPT = nullptr;

  // productGrid: the 48 product controls by row, gathered by name.
  std::array<QCheckBox*, kProductCount> chan{};
  std::array<QCheckBox*, kProductCount> corr{};
  std::array<QCheckBox*, kProductCount> bmp{};
  std::array<QRadioButton*, kProductCount> ostrellepic{};

  // Remapper group.
  std::array<QLineEdit*, kBoundSides> coord{};
  std::array<QComboBox*, kBoundSides> LatLon{};
  QLabel* Area = nullptr;
  QComboBox* Regions = nullptr;
  QLineEdit* gsize0 = nullptr;
  QLineEdit* gsize1 = nullptr;
  std::array<QRadioButton*, kCanvasPresets> canvas{};
  QComboBox* Project = nullptr;

  // Command buttons.
  QPushButton* Button1 = nullptr;
  QPushButton* SaveButton = nullptr;
  QPushButton* QuitConfig = nullptr;

  // regionPictures: the twenty region maps by region index.
  std::vector<QPixmap> regionPictures;
};

// Builds every control of the panel inside it, in its design state; the product grid's arrays
// are left empty for gatherProductGrid.
void buildPanelLayout(QFrame& panel, PanelControls& controls);

// The sans-serif font the window uses, at a pixel size.
QFont panelFont(int pixels, bool bold = false, bool underline = false);

}  // namespace kestrova::ui
