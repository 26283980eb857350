#include "avhrr/level1b/klm_reader.h"

#include <cmath>
#include <limits>

#include "avhrr/level1b/klm_format.h"
#include "avhrr/level1b/klm_layout.h"
#include "avhrr/level1b/level1b_fields.h"
#include "avhrr/level1b/line_times.h"
#include "avhrr/level1b/sample_packing.h"

namespace kestrova::avhrr::level1b {
namespace {

namespace rec = klm::record;
namespace hdr = klm::header;

constexpr std::array<Channel3, 4> kChannel3Select{Channel3::B3, Channel3::A3, Channel3::Transition,
                                                  Channel3::Transition};

double scaled(Bytes b, std::size_t offset, double scale) {
  return readI32(b, offset) * scale;
}

std::optional<std::array<ThermalConstants, 3>> headerThermal(Bytes header) {
  // 3B: nu 1e-2, A 1e-5, B 1e-6; channels 4 and 5: nu 1e-3.
  std::array<ThermalConstants, 3> constants;
  bool any = false;
  for (std::size_t c = 0; c < constants.size(); ++c) {
    const std::size_t at = hdr::kThermalConstants + c * hdr::kThermalConstantsStride;
    constants[c] = {scaled(header, at, c == 0 ? 1e-2 : 1e-3), scaled(header, at + 4, 1e-5),
                    scaled(header, at + 8, 1e-6)};
    any = any || readI32(header, at) != 0;
  }
  if (!any) return std::nullopt;
  return constants;
}

FileCoefficients coefficients(Bytes r, int version) {
  FileCoefficients k;
  for (std::size_t c = 0; c < k.reflective.size(); ++c) {
    const std::size_t at = rec::kReflective + c * rec::kReflectiveStride;  // operational set
    k.reflective[c] = {scaled(r, at, 1e-7), scaled(r, at + 4, 1e-6), scaled(r, at + 8, 1e-7),
                       scaled(r, at + 12, 1e-6), static_cast<double>(readI32(r, at + 16))};
  }
  for (std::size_t c = 0; c < k.thermal.size(); ++c) {
    const std::size_t at = rec::kThermal + c * rec::kThermalStride;
    // From version 3 the quadratic term of channels 4 and 5 carries one more decimal.
    const double c3Scale = c > 0 && version >= 3 ? 1e-7 : 1e-6;
    k.thermal[c] = {scaled(r, at, 1e-6), scaled(r, at + 4, 1e-6), scaled(r, at + 8, c3Scale)};
  }
  return k;
}

CalibrationViews views(Bytes r) {
  std::array<std::uint16_t, 103> words;
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = readU16(r, rec::kHrptWords + 2 * i) & 0x3FF;
  }
  return viewsFromHrptWords(words);
}

ScanLine scanLine(Bytes r, int version) {
  ScanLine line;
  line.scanNumber = readU16(r, rec::kScanLine);
  const unsigned bits = readU16(r, rec::kScanBits);
  line.southbound = (bits & klm::kSouthboundBit) != 0;
  line.channel3 = kChannel3Select[bits & 3];
  line.fileQualityBits = readU32(r, rec::kQuality);
  line.views = views(r);
  line.coefficients = coefficients(r, version);
  return line;
}

bool possibleLocation(double lat, double lon) {
  return std::abs(lat) <= 90 && std::abs(lon) <= 180;
}

void readTiePoints(Bytes r, int line, const ScanLine& scan, TiePoints& tie) {
  bool valid = (scan.fileQualityBits & klm::kQualityNoEarthLocation) == 0;
  const std::size_t base = static_cast<std::size_t>(line) * klm::kTiePointCount;
  for (std::size_t k = 0; k < klm::kTiePointCount; ++k) {
    const double lat = scaled(r, rec::kTiePoints + 8 * k, 1e-4);
    const double lon = scaled(r, rec::kTiePoints + 8 * k + 4, 1e-4);
    valid = valid && possibleLocation(lat, lon);
    tie.latitude[base + k] = lat;
    tie.longitude[base + k] = lon;
  }
  tie.lineValid[static_cast<std::size_t>(line)] = valid;
}

}  // namespace

Pass readKlm(Bytes file, const std::string& fileName) {
  const KlmLayout layout = findKlmLayout(file, fileName);
  const Bytes header = file.subspan(layout.headerOffset, layout.recordLength);

  Pass pass;
  pass.spacecraftCode = readU16(header, hdr::kSpacecraft);
  pass.satellite = satelliteByKlmCode(pass.spacecraftCode);
  pass.format = {Container::KlmLevel1b, layout.dataType, std::nullopt, layout.headerOffset > 0,
                 layout.version};
  pass.dataSetName = trimmedText(header.subspan(hdr::kDataSetName, hdr::kDataSetNameLength));
  pass.width = layout.width;
  pass.headerThermal = headerThermal(header);

  const std::size_t n = layout.dataRecords;
  pass.lines.reserve(n);
  std::vector<std::optional<UtcMs>> stored(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Bytes r =
        file.subspan(layout.firstDataRecord + i * layout.recordLength, layout.recordLength);
    pass.lines.push_back(scanLine(r, layout.version));
    stored[i] =
        possibleTime(readU16(r, rec::kYear), readU16(r, rec::kDay), readU32(r, rec::kMsOfDay));
  }
  assignLineTimes(pass.lines, stored, linePeriodMs(layout.dataType), fileName,
                  layout.firstDataRecord);

  pass.allocateCounts();
  TiePoints tie;
  tie.columns = tiePointColumns(layout.dataType);
  tie.latitude.resize(n * klm::kTiePointCount);
  tie.longitude.resize(n * klm::kTiePointCount);
  tie.lineValid.resize(n);
  const std::size_t earthBytes = earthDataBytes(layout.word, layout.width);
  for (std::size_t i = 0; i < n; ++i) {
    const Bytes r =
        file.subspan(layout.firstDataRecord + i * layout.recordLength, layout.recordLength);
    unpackEarthData(r.subspan(rec::kEarthData, earthBytes), layout.word, pass, static_cast<int>(i));
    readTiePoints(r, static_cast<int>(i), pass.lines[i], tie);
  }
  pass.tiePoints = std::move(tie);
  countReadLines(pass);
  return pass;
}

}  // namespace kestrova::avhrr::level1b
