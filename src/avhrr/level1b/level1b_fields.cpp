#include "avhrr/level1b/level1b_fields.h"

namespace kestrova::avhrr::level1b {

std::string trimmedText(Bytes bytes) {
  std::string s(bytes.begin(), bytes.end());
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

CalibrationViews viewsFromHrptWords(const std::array<std::uint16_t, 103>& words) {
  // Words 18-20 PRT, 23-52 internal target (3B, 4, 5 interleaved), 53-102 space (ch1-5).
  CalibrationViews views;
  for (std::size_t i = 0; i < views.prt.size(); ++i) views.prt[i] = words[17 + i];
  for (std::size_t k = 0; k < kIctSamples; ++k) {
    for (std::size_t c = 0; c < 3; ++c) views.ict[k][c] = words[22 + 3 * k + c];
  }
  for (std::size_t k = 0; k < kSpaceSamples; ++k) {
    for (std::size_t c = 0; c < kChannelCount; ++c) views.space[k][c] = words[52 + 5 * k + c];
  }
  return views;
}

std::array<std::uint16_t, 103> hrptWordsFromViews(const CalibrationViews& views) {
  std::array<std::uint16_t, 103> words{};
  for (std::size_t i = 0; i < views.prt.size(); ++i) words[17 + i] = views.prt[i];
  for (std::size_t k = 0; k < kIctSamples; ++k) {
    for (std::size_t c = 0; c < 3; ++c) words[22 + 3 * k + c] = views.ict[k][c];
  }
  for (std::size_t k = 0; k < kSpaceSamples; ++k) {
    for (std::size_t c = 0; c < kChannelCount; ++c) words[52 + 5 * k + c] = views.space[k][c];
  }
  return words;
}

std::vector<int> tiePointColumns(DataType type) {
  const bool gac = type == DataType::Gac;
  const int first = gac ? 4 : 24;
  const int step = gac ? 8 : 40;
  std::vector<int> columns(51);
  for (int k = 0; k < 51; ++k) columns[static_cast<std::size_t>(k)] = first + k * step;
  return columns;
}

void countReadLines(Pass& pass) {
  pass.readCounts.keptLines = pass.lineCount();
  for (const ScanLine& line : pass.lines)
    if (line.quality == LineQuality::Repaired) ++pass.readCounts.repairedLines;
}

}  // namespace kestrova::avhrr::level1b
