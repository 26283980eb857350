#pragma once
// The main window MainForm: the file browser, the Details box with the command line, the
// direction bar with the two run buttons, the preview pane, the hidden configuration panel, the
// menu with its status item, and the handlers of the window's own commands. It owns every
// setting and run-time value for the life of the process.
#include <QMainWindow>
#include <memory>
#include <string>

#include "commands/command_lines.h"
#include "ui/panel_host.h"
#include "ui/session.h"
#include "ui/ui_dialogs.h"
#include "workflow/derived_names.h"

class QAction;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kestrova::ui {

class AboutBox;
class ConfigPanel;
class FileBrowser;
class HelpViewer;
class PreviewPane;

class MainForm : public QMainWindow, public PanelHost {
  Q_OBJECT
 public:
  // Runs the whole start-up: the layout, FormCreate (centred on a screen of screenSize, with
  // the settings read from the working folder) and the hidden about box.
  MainForm(UiDialogs& dialogs, QSize screenSize);
  ~MainForm() override;

  const Session& session() const { return session_; }
  // True while an external program runs: input is swallowed and no command starts.
  bool busy() const { return busy_; }

  // PanelHost
  void pointFileBrowserAt(const std::string& folder) override;
  std::string fileBrowserFolder() const override;
  void showDataFolder(const std::string& folder) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void buildDetails(QWidget& client);
  void buildDirectionBar(QWidget& client);
  void buildMenu();
  void connectHandlers();
  void FormCreate(QSize screenSize);

  // Handlers, each run inside the error guard and ignored while a program runs.
  void File001Click();
  void m_HRPTsaveClick();
  void m_OstrellesaveClick();
  void confirmOverwrite();
  CommandLine buildRemapCommand();
  CommandLine buildDecoderCommand() const;
  void ContentsClick();
  void AboutClick();
  void showCommand(const char* heading, const CommandLine& command);
  // Runs the program and waits; the window repaints meanwhile but takes no input.
  void runProgram(const CommandLine& command);

  Session session_;
  UiDialogs& dialogs_;
  DerivedNames names_;
  bool isGac_ = false;
  bool busy_ = false;
  bool closePending_ = false;

  FileBrowser* browser_ = nullptr;
  ConfigPanel* panel_ = nullptr;
  std::unique_ptr<PreviewPane> preview_;
  AboutBox* about_ = nullptr;
  HelpViewer* help_ = nullptr;

  QLabel* Label12_ = nullptr;
  QLabel* Label13_ = nullptr;
  QLabel* Label14_ = nullptr;
  QLabel* Label15_ = nullptr;
  QLabel* batchstring_ = nullptr;
  QRadioButton* direction00_ = nullptr;
  QRadioButton* direction01_ = nullptr;
  QPushButton* doit00_ = nullptr;
  QPushButton* doit01_ = nullptr;
  QAction* m_HRPTsave_ = nullptr;
  QAction* m_Ostrellesave_ = nullptr;
  QAction* Configure1_ = nullptr;
  QAction* Exit1_ = nullptr;
  QAction* Contents_ = nullptr;
  QAction* About_ = nullptr;
  QAction* m_banner_ = nullptr;
};

}  // namespace kestrova::ui
