#pragma once
// The #SYSTEM object of a compiled help file: a version word, then records of a 16-bit code, a
// 16-bit length and that many bytes. We need only the few text records that name files.
#include <string>
#include <string_view>

namespace kestrova::ui {

struct ChmSystemInfo {
  std::string contentsFile;  // code 0: the table of contents (.hhc)
  std::string indexFile;     // code 1: the index (.hhk)
  std::string defaultTopic;  // code 2: the page shown on opening
  std::string title;         // code 3: the help file's title
};

// Reads what it can: a record that runs past the end, or a text without its closing NUL, ends the
// walk or is taken up to the end of its record. Never throws.
ChmSystemInfo parseChmSystem(std::string_view bytes);

}  // namespace kestrova::ui
