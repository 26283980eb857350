#pragma once
// A throw-away station folder for the pictures: the demo pass (a synthetic 12-minute NOAA-19
// daylight pass northbound over Europe) as raw HRPT with its elements, as KLM LAC and as GAC,
// an empty image folder, and the configuration a newcomer's first `make run` writes.
#include <string>

namespace kestrova::tools {

struct DemoFolder {
  std::string root;         // the program folder, ends with "/"
  std::string pickedEntry;  // the raw HRPT demo pass
};

// Creates the folder under the system's temporary folder; programs is the folder of
// Varnock.exe and Ostrelle.exe, elements the demo element file.
DemoFolder makeDemoFolder(const std::string& programs, const std::string& elements);

void removeDemoFolder(const DemoFolder& demo);

}  // namespace kestrova::tools
