#pragma once
// Every file name the two programs read or write for a picked data file, derived from the
// entry's text at the moment of the pick.
#include <string>

namespace kestrova {

struct DerivedNames {
  std::string baseName;        // the entry up to its first "."
  std::string inputPath;       // the data file itself
  std::string locationFile;    // written by the decoder, needed by the remapper
  std::string remapInput;      // the remap source's picture
  std::string remapOutput;     // the remapper's picture
  std::string thumbPath;       // a thumbnail beside the data file
  std::string aptPreviewPath;  // the decoder's preview picture
  std::string gacPreviewPath;  // the preview picture of a GAC file

  bool operator==(const DerivedNames&) const = default;
};

struct PickInput {
  std::string entryText;          // the picked entry, a file name without folder
  std::string listFolder;         // the folder the file list shows
  std::string activeImageFolder;  // used as it stands; expected to end with "/"
  int remapSource = 5;
  std::string projectionText;  // the Project list's text
};

struct Pick {
  DerivedNames names;
  bool isGac = false;
};

Pick derivePick(const PickInput& input);

// Whether the last three characters of the entry, lower-cased, are "gac".
bool isGacEntry(const std::string& entryText);

}  // namespace kestrova
