#pragma once
// Whole picture files in and out of memory, with the errors that name the file.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/error.h"

namespace kestrova {

// The largest file a reader takes in: a 24-bit BMP of the largest accepted picture, and some.
inline constexpr std::uint64_t kMaxPictureFileBytes = 1'300'000'000;

// The file's bytes; raises Error "Cannot read picture '<path>': <cause>".
std::vector<std::uint8_t> readPictureFile(const std::string& path);

// Replaces the file with bytes; raises Error "Cannot write picture '<path>': <cause>" and leaves
// no partly written file behind.
void writePictureFile(const std::string& path, std::span<const std::uint8_t> bytes);

// The error a reader raises for the file at path, for any cause.
Error pictureReadError(const std::string& path, const std::string& cause);

// Runs decode(bytes of the file at path), naming the file in any Error it raises.
template <class Decode>
auto decodePictureFile(const std::string& path, Decode decode) {
  std::vector<std::uint8_t> bytes = readPictureFile(path);
  try {
    return decode(std::span<const std::uint8_t>(bytes));
  } catch (const Error& e) {
    throw pictureReadError(path, e.what());
  }
}

}  // namespace kestrova
