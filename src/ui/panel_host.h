#pragma once
// What the configuration panel needs from the main window it lives in.
#include <string>

namespace kestrova::ui {

class PanelHost {
 public:
  virtual ~PanelHost() = default;
  // Moves the file browser's directory list Dir001 (and with it the file list and the working
  // folder) to folder. Raises IoError (File not found) when the folder does not exist.
  virtual void pointFileBrowserAt(const std::string& folder) = 0;
  // The folder Dir001 shows now.
  virtual std::string fileBrowserFolder() const = 0;
  // The Details line "Source HRPT data ..." (Label13).
  virtual void showDataFolder(const std::string& folder) = 0;
};

}  // namespace kestrova::ui
