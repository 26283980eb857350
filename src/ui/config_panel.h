#pragma once
// The configuration panel DialogFrame: a hidden child panel of the main window whose controls are
// the working copy of the settings, with the handlers of the product grid, the folder picker, the
// region, bound, projection and canvas controls, Reset, Save and Quit, and the window's half of
// the configuration file (the defaults, and applying a read to the controls).
#include <QFrame>
#include <memory>
#include <optional>
#include <string>

#include "commands/batch_strings.h"
#include "settings/config_reader.h"
#include "ui/panel_host.h"
#include "ui/session.h"
#include "ui/ui_dialogs.h"

namespace kestrova::ui {

struct PanelControls;

class ConfigPanel : public QFrame {
  Q_OBJECT
 public:
  // Builds every control (objectName = its layout name), hidden, in the design state.
  ConfigPanel(QWidget* parent, Session& session, UiDialogs& dialogs, PanelHost& host);
  ~ConfigPanel() override;

  // Start-up steps of the main window, in its order.
  void fillChannelLists();      // "1".."5" into xred, xgrn, xblu
  void gatherProductGrid();     // productGrid by the names chan0NN, corr0NN, bmp0NN, ostrellepic0NN
  void gatherRegionPictures();  // regionPictures from the embedded maps remap00..remap19
  void SetDefaults();           // ends with ReadConfigFile; raises what the read raises

  void ReadConfigFile();   // raises IoError / Error as the read stops
  void WriteConfigFile();  // raises IoError; ends with the "Saved as " message

  void open();  // Configure1Click: move to 4, 4, show, DirtyCounter := 0, showRegion

  // The live texts the remapper run and the file pick use.
  MapRequest mapRequest() const;
  std::string projectionText() const;

 private:
  // Wiring: every handler runs inside the error guard.
  void connectHandlers();
  void connectProductGrid();
  void connectMapControls();

  // Product grid, one handler per column; the row comes from the control's name.
  void Channel(const QObject& sender);
  void Correct(const QObject& sender);
  void BMPtype(const QObject& sender);
  void RemapPic(const QObject& sender);
  void Button1Click();
  void copyBoxesIntoFlags();

  // Region, bounds, projection and canvas.
  void fillMapLists();
  void RegionsChange(int index);
  void LatLonChange(int side);
  void ProjectChange(int index);
  void canvasClick(int preset);
  void showRegion();
  void enableBoundControls(bool enabled);
  void writeBounds(int side, const std::string& text);

  // Folder picker.
  void Dir002Change(const std::string& folder);
  void locfindClick(int row);

  // Save and Quit.
  void SaveButtonClick();
  void QuitConfigClick();
  std::string confirmationText() const;

  // The configuration file.
  std::string configPath() const;
  std::string applyFolders(const ConfigReadResult& read);  // the data folder's error, if any
  void applyProductLines(const ConfigReadResult& read);
  std::optional<int> applyControlLines(const ConfigReadResult& read);  // the canvas width
  void applyAfterRead(std::optional<int> canvasWidth);
  void showChannelChooser();

  void countEdit() { ++session_.DirtyCounter; }

  std::unique_ptr<PanelControls> c_;
  Session& session_;
  UiDialogs& dialogs_;
  PanelHost& host_;
};

}  // namespace kestrova::ui
