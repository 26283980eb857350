#include "avhrr/level1b/klm_layout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "avhrr/level1b/klm_format.h"
#include "avhrr/level1b/level1b_error.h"
#include "avhrr/level1b/line_times.h"

namespace kestrova::avhrr::level1b {
namespace {

struct RecordSize {
  bool gac;
  SampleWord word;
  std::size_t length;
};

// KLM User's Guide 8.3.1.3 and 8.3.1.4; the packed 10-bit records are the common ones, so they
// are tried first.
constexpr std::array<RecordSize, 6> kRecordSizes{{
    {false, SampleWord::Packed10, 15872},
    {false, SampleWord::Bits16, 22528},
    {false, SampleWord::Bits8, 12288},
    {true, SampleWord::Packed10, 4608},
    {true, SampleWord::Bits16, 5632},
    {true, SampleWord::Bits8, 3584},
}};

struct DataTypeCode {
  int code;
  DataType type;
};

// Code 4 is FRAC from version 5 (TIP in older tables, never in an AVHRR data set).
constexpr std::array<DataTypeCode, 4> kDataTypeCodes{{
    {1, DataType::Lac},
    {2, DataType::Gac},
    {3, DataType::Hrpt},
    {4, DataType::Frac},
}};

constexpr std::size_t kHeaderProbeBytes = 320;  // up to the thermal constants

bool isHeaderStart(Bytes file, std::size_t at) {
  if (file.size() < at + kHeaderProbeBytes) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (!std::isalnum(file[at + i])) return false;
  }
  const int version = readU16(file, at + klm::header::kVersion);
  return file[at + 3] == ' ' && version >= 1 && version <= 99;
}

bool isPrintable(Bytes bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](std::uint8_t b) { return b >= 0x20 && b < 0x7F; });
}

std::string_view text(Bytes file, std::size_t offset, std::size_t length) {
  return {reinterpret_cast<const char*>(file.data()) + offset, length};
}

std::optional<long> archiveNumber(Bytes file, std::size_t offset, std::size_t length) {
  auto field = text(file, offset, length);
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  long value = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || ec != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

std::optional<SampleWord> archiveWordSize(Bytes file) {
  switch (archiveNumber(file, klm::ars::kWordSize, 2).value_or(0)) {
    case 8:
      return SampleWord::Bits8;
    case 10:
      return SampleWord::Packed10;
    case 16:
      return SampleWord::Bits16;
    default:
      return std::nullopt;
  }
}

bool holdsPossibleRecordTime(Bytes file, std::size_t at) {
  if (file.size() < at + klm::record::kEarthData) return false;
  return possibleTime(readU16(file, at + klm::record::kYear), readU16(file, at + klm::record::kDay),
                      readU32(file, at + klm::record::kMsOfDay))
      .has_value();
}

DataType dataTypeOf(Bytes file, std::size_t headerOffset, const std::string& fileName) {
  const int code = readU16(file, headerOffset + klm::header::kDataType);
  for (const auto& entry : kDataTypeCodes) {
    if (entry.code == code) return entry.type;
  }
  failAt(fileName, headerOffset + klm::header::kDataType,
         "data type code " + std::to_string(code) + " is none of LAC, GAC, HRPT or FRAC");
}

std::size_t headerRecordCount(Bytes file, std::size_t headerOffset, int version) {
  // Versions 1 and 2 have exactly one header record; a count of 0 in later ones means the same.
  if (version < 3) return 1;
  return std::max<std::size_t>(1, readU16(file, headerOffset + klm::header::kHeaderRecordCount));
}

// Picks the record length: the archive header's word size when it has one, else the candidate
// whose first data record holds a possible time.
const RecordSize* chooseRecordSize(Bytes file, std::size_t headerOffset, bool gac,
                                   std::size_t headerRecords, std::optional<SampleWord> stated) {
  for (const auto& size : kRecordSizes) {
    if (size.gac != gac) continue;
    if (stated) {
      if (size.word == *stated) return &size;
      continue;
    }
    if (holdsPossibleRecordTime(file, headerOffset + headerRecords * size.length)) return &size;
  }
  return nullptr;
}

}  // namespace

std::size_t klmRecordLength(DataType type, SampleWord word) {
  const bool gac = type == DataType::Gac;
  for (const auto& size : kRecordSizes) {
    if (size.gac == gac && size.word == word) return size.length;
  }
  return 0;
}

bool looksLikeKlm(Bytes file) {
  return isHeaderStart(file, 0) || isHeaderStart(file, klm::ars::kBytes);
}

KlmLayout findKlmLayout(Bytes file, const std::string& fileName) {
  KlmLayout layout;
  if (!isHeaderStart(file, 0)) {
    if (!isHeaderStart(file, klm::ars::kBytes)) {
      failAt(fileName, 0, "no KLM Level 1b header record (creation site, blank, version)");
    }
    const bool formatNamed = text(file, klm::ars::kDataFormat, 13) == "NOAA Level 1b";
    if (!formatNamed && !isPrintable(file.first(klm::ars::kBytes))) {
      failAt(fileName, 0, "the 512 bytes before the header record are not an archive header");
    }
    layout.headerOffset = klm::ars::kBytes;
  }
  const std::size_t h = layout.headerOffset;
  const bool archive = h > 0;
  layout.version = readU16(file, h + klm::header::kVersion);
  layout.dataType = dataTypeOf(file, h, fileName);
  layout.width = layout.dataType == DataType::Gac ? kGacWidth : kFullWidth;
  const std::size_t headerRecords = headerRecordCount(file, h, layout.version);

  const auto stated = archive ? archiveWordSize(file) : std::nullopt;
  const RecordSize* size =
      chooseRecordSize(file, h, layout.dataType == DataType::Gac, headerRecords, stated);
  if (!size) {
    failAt(fileName, h,
           "the file's " + std::to_string(file.size()) + " bytes fit no KLM " +
               (layout.dataType == DataType::Gac ? "GAC" : "LAC/HRPT") +
               " record length: no data record with a possible time follows the header");
  }
  layout.recordLength = size->length;
  layout.word = size->word;
  if (archive) {
    const auto recordSize = archiveNumber(file, klm::ars::kRecordSize, 6);
    if (recordSize && *recordSize != static_cast<long>(layout.recordLength)) {
      failAt(fileName, klm::ars::kRecordSize,
             "the archive header gives records of " + std::to_string(*recordSize) +
                 " bytes, the header record's data type and word size " +
                 std::to_string(layout.recordLength));
    }
  }

  layout.firstDataRecord = h + headerRecords * layout.recordLength;
  if (file.size() < layout.firstDataRecord + layout.recordLength) {
    failAt(fileName, std::min(file.size(), layout.firstDataRecord),
           "the file holds no data record");
  }
  const std::size_t body = file.size() - layout.firstDataRecord;
  layout.dataRecords = body / layout.recordLength;
  if (const std::size_t rest = body % layout.recordLength; rest != 0) {
    failAt(fileName, file.size() - rest,
           "truncated: the last record holds " + std::to_string(rest) + " of " +
               std::to_string(layout.recordLength) + " bytes");
  }
  const std::size_t announced = readU16(file, h + klm::header::kDataRecordCount);
  if (announced > layout.dataRecords) {
    failAt(fileName, file.size(),
           "truncated: the header announces " + std::to_string(announced) +
               " data records, the file holds " + std::to_string(layout.dataRecords));
  }
  return layout;
}

}  // namespace kestrova::avhrr::level1b
