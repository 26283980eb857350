// Byte offsets (0-based) of the KLM Level 1b fields we read and write, NOAA KLM User's Guide
// 8.3.1.3 (LAC/HRPT) and 8.3.1.4 (GAC): both record kinds agree up to the earth data.
#pragma once

#include <cstddef>

namespace kestrova::avhrr::level1b::klm {

// Optional archive (ARS) header before the header record: ASCII fields.
namespace ars {
constexpr std::size_t kBytes = 512;
constexpr std::size_t kDataSetName = 30;  // 42 characters
constexpr std::size_t kStartHour = 89;    // 2
constexpr std::size_t kStartMinute = 91;  // 2
constexpr std::size_t kDuration = 93;     // 3, minutes
constexpr std::size_t kChannels = 97;     // 20 flags
constexpr std::size_t kWordSize = 117;    // "08", "10" or "16"
constexpr std::size_t kDirection = 146;   // "A", "D" or "B"
constexpr std::size_t kDataFormat = 161;  // 20, starts "NOAA Level 1b"
constexpr std::size_t kRecordSize = 181;  // 6 digits
}  // namespace ars

// Header record.
namespace header {
constexpr std::size_t kSite = 0;  // 3 characters and a blank
constexpr std::size_t kVersion = 4;
constexpr std::size_t kVersionYear = 6;
constexpr std::size_t kVersionDay = 8;
constexpr std::size_t kHeaderRecordCount = 14;  // meaningful from version 3
constexpr std::size_t kDataSetName = 22;        // 42 characters
constexpr std::size_t kDataSetNameLength = 42;
constexpr std::size_t kSpacecraft = 72;
constexpr std::size_t kDataType = 76;
constexpr std::size_t kStartYear = 84;
constexpr std::size_t kStartDay = 86;
constexpr std::size_t kStartMs = 88;
constexpr std::size_t kEndYear = 96;
constexpr std::size_t kEndDay = 98;
constexpr std::size_t kEndMs = 100;
constexpr std::size_t kDataRecordCount = 128;
constexpr std::size_t kCalibratedLineCount = 130;
constexpr std::size_t kMissingLineCount = 132;
constexpr std::size_t kDataGapCount = 134;
constexpr std::size_t kThermalConstants = 280;  // 3B, 4, 5: nu, A, B as i32
constexpr std::size_t kThermalConstantsStride = 12;
}  // namespace header

// Data record.
namespace record {
constexpr std::size_t kScanLine = 0;
constexpr std::size_t kYear = 2;
constexpr std::size_t kDay = 4;
constexpr std::size_t kMsOfDay = 8;
constexpr std::size_t kScanBits = 12;  // bit 15 southbound, bits 1-0 channel 3 select
constexpr std::size_t kQuality = 24;
constexpr std::size_t kReflective = 48;  // ch1, 2, 3A: operational, test, pre-launch sets
constexpr std::size_t kReflectiveStride = 60;
constexpr std::size_t kThermal = 228;  // 3B, 4, 5: operational then test (c1, c2, c3)
constexpr std::size_t kThermalStride = 24;
constexpr std::size_t kTiePoints = 640;   // 51 x (latitude, longitude) i32
constexpr std::size_t kHrptWords = 1056;  // HRPT minor-frame words 1-103 as u16, and a fill word
constexpr std::size_t kEarthData = 1264;
}  // namespace record

constexpr int kTiePointCount = 51;
constexpr int kHrptWordCount = 103;

constexpr unsigned kSouthboundBit = 1u << 15;
constexpr unsigned kQualityNoEarthLocation = 1u << 27;
constexpr unsigned kQualityDoNotUse = 1u << 31;

}  // namespace kestrova::avhrr::level1b::klm
