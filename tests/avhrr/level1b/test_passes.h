// Small passes and hand-built Level 1b bytes for the reader and writer tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "avhrr/pass.h"

namespace kestrova::avhrr::testing {

// A pass of NOAA-19 with every field the KLM format carries filled with values that survive the
// format's scaling exactly: counts, times 1/6 s (GAC 1/2 s) apart, a 3A/3B switch, southbound,
// coefficients, views, tie points, header thermal constants.
Pass klmTestPass(DataType type, int lines);

std::uint16_t testCount(int channel, int line, int sample);

void putU16(std::vector<std::uint8_t>& b, std::size_t at, unsigned v);
void putU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v);
std::uint32_t getU32(const std::vector<std::uint8_t>& b, std::size_t at);

// Re-encodes a packed 10-bit KLM file (no archive header) with 16-bit or 8-bit sample words.
std::vector<std::uint8_t> withSampleWords(const std::vector<std::uint8_t>& packed, bool gac,
                                          int bits);

// A POD file built byte by byte: LAC (two 7400-byte records a scan) or GAC (3220).
struct PodFileSpec {
  bool gac = true;
  int lines = 3;
  bool archiveHeader = false;
  bool fillRecord = false;  // GAC archive fill record after the header
  int spacecraft = 3;       // NOAA-14
};
std::vector<std::uint8_t> podFile(const PodFileSpec& spec);

// The values podFile stores.
constexpr int kPodYear = 1998, kPodDay = 45;
constexpr std::int64_t kPodStartMs = 43'200'000;
double podLatitude(int line, int k);
double podLongitude(int line, int k);

}  // namespace kestrova::avhrr::testing
