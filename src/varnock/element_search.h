// Orbital elements for a raw HRPT pass, gathered from the element files of a station's folders:
// every *.txt and *.tle file is looked at; a file holding no element set is passed over without
// a word (a data folder holds other text files too), a damaged set inside an element file is
// reported by file and line and left out.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "avhrr/orbit/two_line_elements.h"
#include "avhrr/satellites.h"

namespace kestrova::varnock {

struct FoundElements {
  std::vector<avhrr::TwoLineElements> sets;
  std::vector<std::string> files;     // the file each set came from
  std::vector<std::string> problems;  // "file, line N: cause" for each damaged set
  std::vector<std::filesystem::path> foldersSearched;
};

// Folders that do not exist are searched (and named) all the same, and yield nothing.
FoundElements findElementSets(const std::vector<std::filesystem::path>& folders);

// The element sets of one text; damaged sets go to problems. No set at all is not a problem.
void scanElementText(std::string_view text, const std::string& fileName, FoundElements& found);

struct ChosenElements {
  avhrr::TwoLineElements elements;
  std::string file;
};

// The satellite's set (by catalogue number) whose epoch lies nearest t.
std::optional<ChosenElements> nearestFor(const FoundElements& found,
                                         const avhrr::Satellite& satellite, avhrr::UtcMs t);

// The epochs of the satellite's sets, which give a raw HRPT pass its year.
std::vector<avhrr::UtcMs> epochsFor(const FoundElements& found, const avhrr::Satellite& satellite);

}  // namespace kestrova::varnock
