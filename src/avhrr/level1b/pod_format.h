// Byte offsets (0-based) of the POD Level 1b fields we read (NOAA Polar Orbiter Data User's Guide,
// NOAA-14 and earlier). A LAC/HRPT scan spans two 7400-byte records, read here as one.
#pragma once

#include <cstddef>

namespace kestrova::avhrr::level1b::pod {

constexpr std::size_t kTbmHeaderBytes = 122;  // optional ASCII archive header
constexpr std::size_t kTbmDataSetName = 30;   // 44 characters
constexpr std::size_t kTbmDataSetNameLength = 44;

constexpr std::size_t kFullScanBytes = 14800;
constexpr std::size_t kGacScanBytes = 3220;

namespace header {
constexpr std::size_t kSpacecraft = 0;  // u8
constexpr std::size_t kDataType = 1;    // upper four bits
constexpr std::size_t kStartTime = 2;   // packed time, 3 x u16
constexpr std::size_t kScanCount = 8;
constexpr std::size_t kEndTime = 10;
}  // namespace header

namespace record {
constexpr std::size_t kScanLine = 0;
constexpr std::size_t kTime = 2;
constexpr std::size_t kQuality = 8;
constexpr std::size_t kCoefficients = 12;  // 5 x (slope 2^-30, intercept 2^-22) as i32
constexpr std::size_t kLocationCount = 52;
constexpr std::size_t kTiePoints = 104;  // 51 x (latitude, longitude) i16, 1/128 degree
constexpr std::size_t kHrptWords = 308;  // 35 u32 = 105 packed 10-bit words, from word 1
constexpr std::size_t kEarthData = 448;
}  // namespace record

constexpr int kTiePointCount = 51;
constexpr unsigned kQualityDescending = 1u << 25;
constexpr unsigned kQualityNoEarthLocation = 1u << 26;

}  // namespace kestrova::avhrr::level1b::pod
