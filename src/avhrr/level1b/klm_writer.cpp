#include "avhrr/level1b/klm_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>

#include "avhrr/level1b/big_endian.h"
#include "avhrr/level1b/klm_format.h"
#include "avhrr/level1b/klm_layout.h"
#include "avhrr/level1b/level1b_fields.h"
#include "avhrr/level1b/sample_packing.h"
#include "base/error.h"

namespace kestrova::avhrr::level1b {
namespace {

namespace rec = klm::record;
namespace hdr = klm::header;

struct TypeEntry {
  DataType type;
  int code;
  const char* nameCode;  // type field of the data set name
};

constexpr std::array<TypeEntry, 4> kTypes{{
    {DataType::Lac, 1, "LHRR"},
    {DataType::Gac, 2, "GHRR"},
    {DataType::Hrpt, 3, "HRPT"},
    {DataType::Frac, 4, "FRAC"},
}};

const TypeEntry& typeEntry(DataType type) {
  return *std::find_if(kTypes.begin(), kTypes.end(),
                       [&](const TypeEntry& e) { return e.type == type; });
}

std::int32_t toField(double value, double scale, const char* what) {
  const double v = std::round(value / scale);
  if (!(v >= std::numeric_limits<std::int32_t>::min() &&
        v <= std::numeric_limits<std::int32_t>::max())) {
    throw Error(std::string("KLM Level 1b writer: ") + what + " " + std::to_string(value) +
                " does not fit its field");
  }
  return static_cast<std::int32_t>(v);
}

void writeText(MutableBytes b, std::size_t offset, std::size_t length, const std::string& text) {
  for (std::size_t i = 0; i < length; ++i) {
    b[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
  }
}

void writeYearDay(MutableBytes b, std::size_t yearAt, std::size_t dayAt, std::size_t msAt,
                  UtcMs t) {
  const YearDay yd = yearDayFromUtc(t);
  writeU16(b, yearAt, static_cast<std::uint16_t>(yd.year));
  writeU16(b, dayAt, static_cast<std::uint16_t>(yd.dayOfYear));
  writeU32(b, msAt, static_cast<std::uint32_t>(yd.msOfDay));
}

int spacecraftCode(const Pass& pass) {
  if (pass.satellite && pass.satellite->klmCode) return *pass.satellite->klmCode;
  if (pass.format.container == Container::KlmLevel1b && pass.spacecraftCode > 0) {
    return pass.spacecraftCode;
  }
  throw Error("KLM Level 1b writer: the pass's satellite has no KLM spacecraft code");
}

void check(const Pass& pass) {
  const int width = pass.format.dataType == DataType::Gac ? kGacWidth : kFullWidth;
  if (pass.lines.empty()) throw Error("KLM Level 1b writer: the pass has no lines");
  if (pass.width != width) {
    throw Error("KLM Level 1b writer: a " + std::string(typeEntry(pass.format.dataType).nameCode) +
                " pass has " + std::to_string(width) + " samples a line, not " +
                std::to_string(pass.width));
  }
  if (pass.counts.size() != static_cast<std::size_t>(kChannelCount) * pass.lines.size() *
                                static_cast<std::size_t>(width)) {
    throw Error("KLM Level 1b writer: the pass's counts do not match its lines and width");
  }
  if (pass.lines.size() > 65535) {
    throw Error("KLM Level 1b writer: more lines than a KLM file can count");
  }
  if (pass.tiePoints) {
    const auto& tie = *pass.tiePoints;
    const std::size_t n = pass.lines.size() * klm::kTiePointCount;
    if (tie.columns != tiePointColumns(pass.format.dataType) || tie.latitude.size() != n ||
        tie.longitude.size() != n || tie.lineValid.size() != pass.lines.size()) {
      throw Error("KLM Level 1b writer: the tie points are not the format's 51 a line");
    }
  }
}

std::string twoDigits(int v) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", v % 100);
  return buffer;
}

void fillArchiveHeader(MutableBytes ars, const Pass& pass, const std::string& name,
                       std::size_t recordLength) {
  std::fill(ars.begin(), ars.end(), static_cast<std::uint8_t>(' '));
  const UtcMs start = pass.lines.front().time;
  const YearDay yd = yearDayFromUtc(start);
  const auto minutes = (pass.lines.back().time - start + 59'999) / 60'000;
  writeText(ars, klm::ars::kDataSetName, 42, name);
  writeText(ars, klm::ars::kStartHour, 2, twoDigits(static_cast<int>(yd.msOfDay / 3'600'000)));
  writeText(ars, klm::ars::kStartMinute, 2, twoDigits(static_cast<int>(yd.msOfDay / 60'000 % 60)));
  char duration[8];
  std::snprintf(duration, sizeof duration, "%03d", static_cast<int>(std::min<UtcMs>(minutes, 999)));
  writeText(ars, klm::ars::kDuration, 3, duration);
  writeText(ars, klm::ars::kChannels, 20, "YYYYYY");  // 1, 2, 3A, 3B, 4, 5
  writeText(ars, klm::ars::kWordSize, 2, "10");
  bool north = false, south = false;
  for (const auto& line : pass.lines) {
    north = north || line.southbound == false;
    south = south || line.southbound == true;
  }
  writeText(ars, klm::ars::kDirection, 1, north && south ? "B" : north ? "A" : "D");
  writeText(ars, klm::ars::kDataFormat, 20, "NOAA Level 1b");
  char size[8];
  std::snprintf(size, sizeof size, "%06zu", recordLength);
  writeText(ars, klm::ars::kRecordSize, 6, size);
}

void fillHeader(MutableBytes h, const Pass& pass, const KlmWriteOptions& options,
                const std::string& name) {
  writeText(h, hdr::kSite, 4, options.site.substr(0, 3));
  writeU16(h, hdr::kVersion, static_cast<std::uint16_t>(options.version));
  if (options.version == 5) {  // version 5 took effect on 2006-11-14
    writeU16(h, hdr::kVersionYear, 2006);
    writeU16(h, hdr::kVersionDay, 318);
  }
  writeU16(h, hdr::kHeaderRecordCount, 1);
  writeText(h, hdr::kDataSetName, hdr::kDataSetNameLength, name);
  writeU16(h, hdr::kSpacecraft, static_cast<std::uint16_t>(spacecraftCode(pass)));
  writeU16(h, hdr::kDataType, static_cast<std::uint16_t>(typeEntry(pass.format.dataType).code));
  writeYearDay(h, hdr::kStartYear, hdr::kStartDay, hdr::kStartMs, pass.lines.front().time);
  writeYearDay(h, hdr::kEndYear, hdr::kEndDay, hdr::kEndMs, pass.lines.back().time);
  const auto n = static_cast<std::uint16_t>(pass.lines.size());
  const auto missing = static_cast<std::uint16_t>(
      std::count_if(pass.lines.begin(), pass.lines.end(),
                    [](const ScanLine& l) { return l.quality == LineQuality::Missing; }));
  writeU16(h, hdr::kDataRecordCount, n);
  writeU16(h, hdr::kCalibratedLineCount, static_cast<std::uint16_t>(n - missing));
  writeU16(h, hdr::kMissingLineCount, missing);
  if (pass.headerThermal) {
    for (std::size_t c = 0; c < 3; ++c) {
      const auto& k = (*pass.headerThermal)[c];
      const std::size_t at = hdr::kThermalConstants + c * hdr::kThermalConstantsStride;
      writeI32(h, at, toField(k.nu, c == 0 ? 1e-2 : 1e-3, "central wave number"));
      writeI32(h, at + 4, toField(k.a, 1e-5, "band correction A"));
      writeI32(h, at + 8, toField(k.b, 1e-6, "band correction B"));
    }
  }
}

void writeCoefficients(MutableBytes r, const FileCoefficients& k, int version) {
  for (std::size_t c = 0; c < k.reflective.size(); ++c) {
    const auto& v = k.reflective[c];
    const std::size_t at = rec::kReflective + c * rec::kReflectiveStride;
    writeI32(r, at, toField(v.slope1, 1e-7, "slope"));
    writeI32(r, at + 4, toField(v.intercept1, 1e-6, "intercept"));
    writeI32(r, at + 8, toField(v.slope2, 1e-7, "slope"));
    writeI32(r, at + 12, toField(v.intercept2, 1e-6, "intercept"));
    writeI32(r, at + 16, toField(v.intersection, 1, "intersection"));
  }
  for (std::size_t c = 0; c < k.thermal.size(); ++c) {
    const auto& v = k.thermal[c];
    const std::size_t at = rec::kThermal + c * rec::kThermalStride;
    writeI32(r, at, toField(v.c0, 1e-6, "radiance coefficient"));
    writeI32(r, at + 4, toField(v.c1, 1e-6, "radiance coefficient"));
    writeI32(r, at + 8, toField(v.c2, c > 0 && version >= 3 ? 1e-7 : 1e-6, "radiance coefficient"));
  }
}

void fillRecord(MutableBytes r, const Pass& pass, int i, int version) {
  const ScanLine& line = pass.lines[static_cast<std::size_t>(i)];
  writeU16(r, rec::kScanLine,
           static_cast<std::uint16_t>(line.scanNumber > 0 ? line.scanNumber : i + 1));
  writeYearDay(r, rec::kYear, rec::kDay, rec::kMsOfDay, line.time);
  const unsigned select = line.channel3 == Channel3::A3 ? 1 : line.channel3 == Channel3::B3 ? 0 : 2;
  writeU16(r, rec::kScanBits,
           static_cast<std::uint16_t>((line.southbound.value_or(false) ? klm::kSouthboundBit : 0) |
                                      select));
  std::uint32_t quality = line.fileQualityBits;
  if (line.quality == LineQuality::Missing) quality |= klm::kQualityDoNotUse;
  if (line.coefficients) writeCoefficients(r, *line.coefficients, version);
  const bool located = pass.tiePoints && pass.tiePoints->lineValid[static_cast<std::size_t>(i)];
  if (located) {
    const auto& tie = *pass.tiePoints;
    const std::size_t base = static_cast<std::size_t>(i) * klm::kTiePointCount;
    for (std::size_t k = 0; k < klm::kTiePointCount; ++k) {
      writeI32(r, rec::kTiePoints + 8 * k, toField(tie.latitude[base + k], 1e-4, "latitude"));
      writeI32(r, rec::kTiePoints + 8 * k + 4, toField(tie.longitude[base + k], 1e-4, "longitude"));
    }
  } else {
    quality |= klm::kQualityNoEarthLocation;
  }
  writeU32(r, rec::kQuality, quality);
  if (line.views) {
    const auto words = hrptWordsFromViews(*line.views);
    for (std::size_t w = 0; w < words.size(); ++w) writeU16(r, rec::kHrptWords + 2 * w, words[w]);
  }
  packEarthData(pass, i,
                r.subspan(rec::kEarthData, earthDataBytes(SampleWord::Packed10, pass.width)));
}

}  // namespace

std::string klmDataSetName(const Pass& pass, const std::string& site) {
  const YearDay start = yearDayFromUtc(pass.lines.front().time);
  const YearDay end = yearDayFromUtc(pass.lines.back().time);
  const std::string satellite = pass.satellite && !pass.satellite->dataSetCode.empty()
                                    ? std::string(pass.satellite->dataSetCode)
                                    : "XX";
  char name[64];
  std::snprintf(
      name, sizeof name, "%s.%s.%s.D%02d%03d.S%02d%02d.E%02d%02d.B0000000.KS",
      site.substr(0, 3).c_str(), typeEntry(pass.format.dataType).nameCode, satellite.c_str(),
      start.year % 100, start.dayOfYear, static_cast<int>(start.msOfDay / 3'600'000),
      static_cast<int>(start.msOfDay / 60'000 % 60), static_cast<int>(end.msOfDay / 3'600'000),
      static_cast<int>(end.msOfDay / 60'000 % 60));
  return name;
}

std::vector<std::uint8_t> writeKlm(const Pass& pass, const KlmWriteOptions& options) {
  check(pass);
  const std::size_t length = klmRecordLength(pass.format.dataType, SampleWord::Packed10);
  const std::size_t prefix = options.archiveHeader ? klm::ars::kBytes : 0;
  const std::string name =
      !pass.dataSetName.empty() && pass.dataSetName.size() <= hdr::kDataSetNameLength
          ? pass.dataSetName
          : klmDataSetName(pass, options.site);
  std::vector<std::uint8_t> bytes(prefix + length * (pass.lines.size() + 1), 0);
  const MutableBytes all(bytes);
  if (options.archiveHeader) fillArchiveHeader(all.first(prefix), pass, name, length);
  fillHeader(all.subspan(prefix, length), pass, options, name);
  for (int i = 0; i < pass.lineCount(); ++i) {
    fillRecord(all.subspan(prefix + length * static_cast<std::size_t>(i + 1), length), pass, i,
               options.version);
  }
  return bytes;
}

void writeKlmFile(const Pass& pass, const std::filesystem::path& path,
                  const KlmWriteOptions& options) {
  const auto bytes = writeKlm(pass, options);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw Error(path.string() + ": cannot write the KLM Level 1b file");
}

}  // namespace kestrova::avhrr::level1b
