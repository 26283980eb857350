#include "avhrr/level1b/pod_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "avhrr/level1b/level1b_error.h"
#include "avhrr/level1b/level1b_fields.h"
#include "avhrr/level1b/line_times.h"
#include "avhrr/level1b/pod_format.h"
#include "avhrr/level1b/sample_packing.h"

namespace kestrova::avhrr::level1b {
namespace {

namespace rec = pod::record;
namespace hdr = pod::header;

struct PodDataType {
  int code;  // upper four bits of header byte 2
  DataType type;
  std::size_t scanBytes;
};

constexpr std::array<PodDataType, 3> kDataTypes{{
    {1, DataType::Lac, pod::kFullScanBytes},
    {2, DataType::Gac, pod::kGacScanBytes},
    {3, DataType::Hrpt, pod::kFullScanBytes},
}};

// Calibration scaling of the POD guide (slope 2^-30, intercept 2^-22).
constexpr double kSlopeScale = 1.0 / (1 << 30);
constexpr double kInterceptScale = 1.0 / (1 << 22);

bool hasArchiveHeader(Bytes file) {
  if (file.size() < pod::kTbmHeaderBytes) return false;
  const auto tbm = file.first(pod::kTbmHeaderBytes);
  // A bare file starts with a small binary spacecraft code, an archive header with text.
  return tbm[0] >= 0x20 && std::all_of(tbm.begin(), tbm.end(), [](std::uint8_t b) {
           return b == 0 || (b >= 0x20 && b < 0x7F);
         });
}

const PodDataType& dataTypeOf(Bytes file, std::size_t h, const std::string& fileName) {
  const int code = file[h + hdr::kDataType] >> 4;
  for (const auto& entry : kDataTypes) {
    if (entry.code == code) return entry;
  }
  failAt(fileName, h + hdr::kDataType,
         "data type code " + std::to_string(code) + " is none of LAC, GAC or HRPT");
}

std::array<std::uint16_t, 103> hrptWords(Bytes r) {
  std::array<std::uint16_t, 103> words{};
  for (std::size_t j = 0; j < words.size(); ++j) {
    const std::uint32_t packed = readU32(r, rec::kHrptWords + j / 3 * 4);
    words[j] = static_cast<std::uint16_t>(packed >> (20 - 10 * (j % 3)) & 0x3FF);
  }
  return words;
}

FileCoefficients coefficients(Bytes r) {
  // Channels 1 and 2 give albedo, 3, 4 and 5 radiance, each as slope * count + intercept.
  std::array<std::pair<double, double>, 5> pairs;
  for (std::size_t c = 0; c < pairs.size(); ++c) {
    const std::size_t at = rec::kCoefficients + 8 * c;
    pairs[c] = {readI32(r, at) * kSlopeScale, readI32(r, at + 4) * kInterceptScale};
  }
  FileCoefficients k;
  for (std::size_t c = 0; c < 2; ++c) {
    const auto [slope, intercept] = pairs[c];
    k.reflective[c] = {slope, intercept, slope, intercept, 1023};
  }
  for (std::size_t c = 0; c < 3; ++c) k.thermal[c] = {pairs[2 + c].second, pairs[2 + c].first, 0};
  return k;
}

ScanLine scanLine(Bytes r) {
  ScanLine line;
  line.scanNumber = readU16(r, rec::kScanLine);
  line.fileQualityBits = readU32(r, rec::kQuality);
  line.southbound = (line.fileQualityBits & pod::kQualityDescending) != 0;
  line.channel3 = Channel3::B3;  // AVHRR/2 has no 3A
  line.views = viewsFromHrptWords(hrptWords(r));
  line.coefficients = coefficients(r);
  return line;
}

void readTiePoints(Bytes r, int line, const ScanLine& scan, TiePoints& tie) {
  const int located = std::min<int>(r[rec::kLocationCount], pod::kTiePointCount);
  bool valid = located > 0 && (scan.fileQualityBits & pod::kQualityNoEarthLocation) == 0;
  const std::size_t base = static_cast<std::size_t>(line) * pod::kTiePointCount;
  for (int k = 0; k < pod::kTiePointCount; ++k) {
    const std::size_t i = base + static_cast<std::size_t>(k);
    if (k >= located) {
      tie.latitude[i] = tie.longitude[i] = std::numeric_limits<double>::quiet_NaN();
      continue;
    }
    const std::size_t at = rec::kTiePoints + 4 * static_cast<std::size_t>(k);
    tie.latitude[i] = readI16(r, at) / 128.0;
    tie.longitude[i] = readI16(r, at + 2) / 128.0;
    valid = valid && std::abs(tie.latitude[i]) <= 90 && std::abs(tie.longitude[i]) <= 180;
  }
  tie.lineValid[static_cast<std::size_t>(line)] = valid;
}

}  // namespace

std::optional<UtcMs> podTime(Bytes bytes, std::size_t offset) {
  const unsigned w0 = readU16(bytes, offset);
  const unsigned w1 = readU16(bytes, offset + 2);
  const unsigned w2 = readU16(bytes, offset + 4);
  const int yy = static_cast<int>(w0 >> 9);
  const int year = yy > 75 ? 1900 + yy : 2000 + yy;
  const auto ms = static_cast<std::int64_t>((w1 & 0x7FF) << 16 | w2);
  return possibleTime(year, static_cast<int>(w0 & 0x1FF), ms);
}

Pass readPod(Bytes file, const std::string& fileName) {
  const bool archive = hasArchiveHeader(file);
  const std::size_t h = archive ? pod::kTbmHeaderBytes : 0;
  if (file.size() < h + pod::kGacScanBytes) {
    failAt(fileName, file.size(), "truncated: the file ends inside the POD header record");
  }
  const PodDataType& type = dataTypeOf(file, h, fileName);
  if (!podTime(file, h + hdr::kStartTime)) {
    failAt(fileName, h + hdr::kStartTime, "the POD header's start time is impossible");
  }
  const std::size_t scanBytes = type.scanBytes;
  std::size_t first = h + scanBytes;
  // Archived GAC files put a fill record (scan number 0) after the header.
  if (type.type == DataType::Gac && file.size() >= first + scanBytes &&
      readU16(file, first + rec::kScanLine) == 0) {
    first += scanBytes;
  }
  if (file.size() < first + scanBytes) {
    failAt(fileName, std::min(file.size(), first), "the file holds no data record");
  }
  const std::size_t body = file.size() - first;
  if (const std::size_t rest = body % scanBytes; rest != 0) {
    failAt(fileName, file.size() - rest,
           "truncated: the last scan holds " + std::to_string(rest) + " of " +
               std::to_string(scanBytes) + " bytes");
  }
  const std::size_t n = body / scanBytes;
  const std::size_t announced = readU16(file, h + hdr::kScanCount);
  if (announced > n) {
    failAt(fileName, file.size(),
           "truncated: the header announces " + std::to_string(announced) +
               " scans, the file holds " + std::to_string(n));
  }

  Pass pass;
  pass.spacecraftCode = file[h + hdr::kSpacecraft];
  pass.satellite = satelliteByPodCode(pass.spacecraftCode);
  pass.format = {Container::PodLevel1b, type.type, std::nullopt, archive, 1};
  if (archive) {
    pass.dataSetName = trimmedText(file.subspan(pod::kTbmDataSetName, pod::kTbmDataSetNameLength));
  }
  pass.width = type.type == DataType::Gac ? kGacWidth : kFullWidth;

  pass.lines.reserve(n);
  std::vector<std::optional<UtcMs>> stored(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Bytes r = file.subspan(first + i * scanBytes, scanBytes);
    pass.lines.push_back(scanLine(r));
    stored[i] = podTime(r, rec::kTime);
  }
  assignLineTimes(pass.lines, stored, linePeriodMs(type.type), fileName, first);

  pass.allocateCounts();
  TiePoints tie;
  tie.columns = tiePointColumns(type.type);
  tie.latitude.resize(n * pod::kTiePointCount);
  tie.longitude.resize(n * pod::kTiePointCount);
  tie.lineValid.resize(n);
  const std::size_t earthBytes = earthDataBytes(SampleWord::Packed10, pass.width);
  for (std::size_t i = 0; i < n; ++i) {
    const Bytes r = file.subspan(first + i * scanBytes, scanBytes);
    unpackEarthData(r.subspan(rec::kEarthData, earthBytes), SampleWord::Packed10, pass,
                    static_cast<int>(i));
    readTiePoints(r, static_cast<int>(i), pass.lines[i], tie);
  }
  pass.tiePoints = std::move(tie);
  countReadLines(pass);
  return pass;
}

}  // namespace kestrova::avhrr::level1b
