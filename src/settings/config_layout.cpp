#include "settings/config_layout.h"

#include <stdexcept>

namespace kestrova {
namespace {

using S = StoredSettings;

// Lines 1-6 and 43-51.
constexpr std::string S::*kLeadingTexts[] = {&S::dataFolder,     &S::decoderFolder,
                                             &S::decoderOptions, &S::imageFolder,
                                             &S::remapperFolder, &S::remapOptions};
constexpr std::string S::*kTrailingTexts[] = {&S::rgbRed,   &S::rgbGreen,    &S::rgbBlue,
                                              &S::latNorth, &S::latSouth,    &S::lonWest,
                                              &S::lonEast,  &S::canvasWidth, &S::canvasHeight};
// Lines 7-42, twelve lines each.
constexpr ProductFlags S::*kFlagArrays[] = {&S::productEnabled, &S::productCorrected,
                                            &S::productBitmap};
// Lines 52-56.
constexpr int S::*kTrailingIntegers[] = {&S::closeDecoder, &S::runMinimised, &S::projection,
                                         &S::remapSource, &S::region};

constexpr int kLeadingEnd = 6, kFlagsEnd = 42, kTrailingTextsEnd = 51;

[[noreturn]] void wrongKind(int line) {
  throw std::logic_error("configuration line " + std::to_string(line) + " has another kind");
}

}  // namespace

bool isTextLine(int line) {
  return (line >= 1 && line <= kLeadingEnd) || (line > kFlagsEnd && line <= kTrailingTextsEnd);
}

std::string& textField(StoredSettings& settings, int line) {
  if (line >= 1 && line <= kLeadingEnd) return settings.*kLeadingTexts[line - 1];
  if (line > kFlagsEnd && line <= kTrailingTextsEnd)
    return settings.*kTrailingTexts[line - kFlagsEnd - 1];
  wrongKind(line);
}

int& integerField(StoredSettings& settings, int line) {
  if (line > kLeadingEnd && line <= kFlagsEnd) {
    int offset = line - ConfigLine::firstEnabled;
    return (settings.*kFlagArrays[offset / kProductCount])[offset % kProductCount];
  }
  if (line > kTrailingTextsEnd && line <= kConfigLineCount)
    return settings.*kTrailingIntegers[line - kTrailingTextsEnd - 1];
  wrongKind(line);
}

const std::string& textField(const StoredSettings& settings, int line) {
  return textField(const_cast<StoredSettings&>(settings), line);
}

int integerField(const StoredSettings& settings, int line) {
  return integerField(const_cast<StoredSettings&>(settings), line);
}

}  // namespace kestrova
