#pragma once
// A throw-away station folder for the pictures: a few passes, an image folder with a decoded
// preview, and a configuration file pointing at them.
#include <string>

namespace kestrova::tools {

struct DemoFolder {
  std::string root;         // the program folder, ends with "/"
  std::string pickedEntry;  // the pass whose preview exists
};

// Creates the folder under the system's temporary folder.
DemoFolder makeDemoFolder();

void removeDemoFolder(const DemoFolder& demo);

}  // namespace kestrova::tools
