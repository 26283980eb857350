#pragma once
// Which setting each of the 56 lines of kestrova.cfg holds. A value's meaning is its line number.
#include <string>

#include "settings/stored_settings.h"

namespace kestrova {

inline constexpr int kConfigLineCount = 56;
inline constexpr const char* kConfigFileName = "kestrova.cfg";

namespace ConfigLine {
inline constexpr int dataFolder = 1;
inline constexpr int imageFolder = 4;
inline constexpr int firstEnabled = 7;     // productEnabled[0..11]: lines 7-18
inline constexpr int firstCorrected = 19;  // productCorrected[0..11]: lines 19-30
inline constexpr int firstBitmap = 31;     // productBitmap[0..11]: lines 31-42
inline constexpr int rgbRed = 43;
inline constexpr int canvasWidth = 50;
inline constexpr int canvasHeight = 51;
inline constexpr int closeDecoder = 52;
inline constexpr int projection = 54;
inline constexpr int remapSource = 55;
inline constexpr int region = 56;
}  // namespace ConfigLine

bool isTextLine(int line);

// The field behind a line (1-56) of the right kind; asking for the other kind is a programming
// error and throws std::logic_error.
std::string& textField(StoredSettings& settings, int line);
int& integerField(StoredSettings& settings, int line);
const std::string& textField(const StoredSettings& settings, int line);
int integerField(const StoredSettings& settings, int line);

}  // namespace kestrova
