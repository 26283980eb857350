#pragma once
// Everything the main window owns for the life of the process: the stored settings and the
// run-time values kept beside them. The window and the configuration panel share one instance.
#include <string>

#include "settings/stored_settings.h"

namespace kestrova::ui {

inline constexpr const char* kVersionText = "version 2.06 - December 25, 2007";

struct Session {
  // The nine control-held texts (rgbRed ... canvasHeight) live in the panel's controls; their
  // slots here only carry them to and from the configuration file.
  StoredSettings settings;
  int DirtyCounter = 0;             // edits counted since the panel was opened
  std::string direction = "south";  // "south" or "north"
  int expanded = 0;                 // preview at its natural size
  std::string pickedFolder;         // last folder chosen in Dir002, ends with "/"
  std::string activeImageFolder;    // imageFolder as last read from the configuration file
  std::string programFolder;        // working folder at start-up, ends with "/"
};

}  // namespace kestrova::ui
