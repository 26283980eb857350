#include "test_passes.h"

#include <cmath>
#include <cstring>

namespace kestrova::avhrr::testing {

std::uint16_t testCount(int channel, int line, int sample) {
  return static_cast<std::uint16_t>((channel * 211 + line * 37 + sample * 7) % 1024);
}

void putU16(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v >> 8);
  b[at + 1] = static_cast<std::uint8_t>(v);
}

void putU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  putU16(b, at, v >> 16);
  putU16(b, at + 2, v & 0xFFFF);
}

std::uint32_t getU32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
         static_cast<std::uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

Pass klmTestPass(DataType type, int lineCount) {
  Pass pass;
  pass.satellite = satelliteByName("NOAA-19");
  pass.spacecraftCode = 8;
  pass.format = {Container::KlmLevel1b, type, std::nullopt, false, 5};
  pass.dataSetName = type == DataType::Gac ? "NSS.GHRR.NP.D23100.S1200.E1201.B7300101.GC"
                                           : "NSS.LHRR.NP.D23100.S1200.E1201.B7300101.WI";
  pass.width = type == DataType::Gac ? kGacWidth : kFullWidth;
  const double period = type == DataType::Gac ? 500.0 : 1000.0 / 6.0;
  const UtcMs start = utcFromYearDay(2023, 100, 43'200'000);
  for (int i = 0; i < lineCount; ++i) {
    ScanLine line;
    line.time = start + static_cast<UtcMs>(std::llround(i * period));
    line.scanNumber = i + 1;
    line.channel3 = i < lineCount / 2 ? Channel3::A3 : Channel3::B3;
    line.southbound = true;
    line.fileQualityBits = i == 1 ? 1u << 20 : 0;  // a bit slip on the second line
    CalibrationViews views;
    for (std::size_t k = 0; k < 3; ++k) views.prt[k] = static_cast<std::uint16_t>(400 + i + k);
    for (std::size_t k = 0; k < kIctSamples; ++k) {
      for (std::size_t c = 0; c < 3; ++c)
        views.ict[k][c] = static_cast<std::uint16_t>(300 + 10 * c + k);
      for (std::size_t c = 0; c < kChannelCount; ++c) {
        views.space[k][c] = static_cast<std::uint16_t>(c < 2 ? 40 + k : 990 - k);
      }
    }
    line.views = views;
    FileCoefficients k;
    for (std::size_t c = 0; c < 3; ++c) {
      k.reflective[c] = {0.0512345 + 0.001 * static_cast<double>(c), -2.012345, 0.1512345,
                         -52.123456, 497.0 + static_cast<double>(c)};
    }
    k.thermal[0] = {1.234567, -0.001234, 0.000001};
    k.thermal[1] = {178.123456, -0.171234, 0.0001234};
    k.thermal[2] = {204.654321, -0.201234, 0.0002345};
    line.coefficients = k;
    pass.lines.push_back(line);
  }
  pass.headerThermal = std::array<ThermalConstants, 3>{
      {{2670.24, 1.67396, 0.997364}, {928.244, 0.53959, 0.998534}, {831.147, 0.36064, 0.998913}}};
  pass.allocateCounts();
  for (int c = 0; c < kChannelCount; ++c) {
    for (int i = 0; i < lineCount; ++i) {
      auto row = pass.row(c, i);
      for (int p = 0; p < pass.width; ++p) row[static_cast<std::size_t>(p)] = testCount(c, i, p);
    }
  }
  TiePoints tie;
  const bool gac = type == DataType::Gac;
  for (int k = 0; k < 51; ++k) tie.columns.push_back(gac ? 4 + 8 * k : 24 + 40 * k);
  for (int i = 0; i < lineCount; ++i) {
    for (int k = 0; k < 51; ++k) {
      tie.latitude.push_back(55.1234 - 0.0101 * i - 0.0457 * k);
      tie.longitude.push_back(-3.5678 + 0.1123 * k + 0.0011 * i);
    }
    tie.lineValid.push_back(true);
  }
  pass.tiePoints = tie;
  return pass;
}

std::vector<std::uint8_t> withSampleWords(const std::vector<std::uint8_t>& packed, bool gac,
                                          int bits) {
  const std::size_t from = gac ? 4608 : 15872;
  const std::size_t to = bits == 16 ? (gac ? 5632 : 22528) : (gac ? 3584 : 12288);
  const std::size_t samples = (gac ? 409u : 2048u) * 5;
  const std::size_t records = packed.size() / from;
  std::vector<std::uint8_t> out(records * to, 0);
  for (std::size_t r = 0; r < records; ++r) {
    std::memcpy(&out[r * to], &packed[r * from], 1264);
    if (r == 0) continue;  // the header record has no earth data
    for (std::size_t i = 0; i < samples; ++i) {
      const std::uint32_t w = getU32(packed, r * from + 1264 + i / 3 * 4);
      const unsigned v = w >> (20 - 10 * (i % 3)) & 0x3FF;
      if (bits == 16) {
        putU16(out, r * to + 1264 + 2 * i, v);
      } else {
        out[r * to + 1264 + i] = static_cast<std::uint8_t>(v >> 2);
      }
    }
  }
  return out;
}

double podLatitude(int line, int k) {
  return (2560 + 10 * line + k) / 128.0;
}

double podLongitude(int line, int k) {
  return (-1280 + 5 * line - 3 * k) / 128.0;
}

namespace {

void putPodTime(std::vector<std::uint8_t>& b, std::size_t at, std::int64_t ms) {
  putU16(b, at, static_cast<unsigned>((kPodYear % 100) << 9 | kPodDay));
  putU16(b, at + 2, static_cast<unsigned>(ms >> 16 & 0x7FF));
  putU16(b, at + 4, static_cast<unsigned>(ms & 0xFFFF));
}

void putPacked10(std::vector<std::uint8_t>& b, std::size_t at,
                 const std::vector<unsigned>& values) {
  for (std::size_t w = 0; w * 3 < values.size(); ++w) {
    std::uint32_t packed = 0;
    for (std::size_t k = 0; k < 3 && w * 3 + k < values.size(); ++k) {
      packed |= (values[w * 3 + k] & 0x3FF) << (20 - 10 * k);
    }
    putU32(b, at + 4 * w, packed);
  }
}

}  // namespace

std::vector<std::uint8_t> podFile(const PodFileSpec& spec) {
  const std::size_t scan = spec.gac ? 3220 : 14800;
  const std::size_t prefix = spec.archiveHeader ? 122 : 0;
  const int width = spec.gac ? 409 : 2048;
  const double period = spec.gac ? 500 : 1000.0 / 6;
  std::vector<std::uint8_t> b(
      prefix + scan * static_cast<std::size_t>(1 + spec.fillRecord + spec.lines), 0);
  if (spec.archiveHeader) {
    std::memset(b.data(), ' ', prefix);
    const std::string name = "NSS.GHRR.NJ.D98045.S1200.E1201.B1600102.GC";
    std::memcpy(&b[30], name.data(), name.size());
  }
  b[prefix] = static_cast<std::uint8_t>(spec.spacecraft);
  b[prefix + 1] = static_cast<std::uint8_t>((spec.gac ? 2 : 1) << 4);
  putPodTime(b, prefix + 2, kPodStartMs);
  putU16(b, prefix + 8, static_cast<unsigned>(spec.lines));
  putPodTime(b, prefix + 10, kPodStartMs + std::llround((spec.lines - 1) * period));
  const std::size_t first = prefix + scan * static_cast<std::size_t>(1 + spec.fillRecord);
  for (int i = 0; i < spec.lines; ++i) {
    const std::size_t r = first + scan * static_cast<std::size_t>(i);
    putU16(b, r, static_cast<unsigned>(i + 1));
    putPodTime(b, r + 2, kPodStartMs + std::llround(i * period));
    putU32(b, r + 8, 1u << 25);  // descending
    const double slopes[5] = {0.1, 0.11, -0.0016, -0.16, -0.17};
    const double intercepts[5] = {-3.5, -3.75, 1.5, 160.25, 170.5};
    for (std::size_t c = 0; c < 5; ++c) {
      putU32(b, r + 12 + 8 * c,
             static_cast<std::uint32_t>(
                 static_cast<std::int32_t>(std::llround(slopes[c] * (1 << 30)))));
      putU32(b, r + 16 + 8 * c,
             static_cast<std::uint32_t>(
                 static_cast<std::int32_t>(std::llround(intercepts[c] * (1 << 22)))));
    }
    const int located = i == 1 ? 40 : 51;
    b[r + 52] = static_cast<std::uint8_t>(located);
    for (int k = 0; k < located; ++k) {
      putU16(b, r + 104 + 4 * static_cast<std::size_t>(k),
             static_cast<unsigned>(std::lround(podLatitude(i, k) * 128)) & 0xFFFF);
      putU16(b, r + 106 + 4 * static_cast<std::size_t>(k),
             static_cast<unsigned>(std::lround(podLongitude(i, k) * 128)) & 0xFFFF);
    }
    std::vector<unsigned> words(105);
    for (std::size_t j = 0; j < words.size(); ++j)
      words[j] = static_cast<unsigned>((j * 7 + 3 + static_cast<std::size_t>(i)) & 0x3FF);
    putPacked10(b, r + 308, words);
    std::vector<unsigned> samples;
    for (int p = 0; p < width; ++p) {
      for (int c = 0; c < 5; ++c) samples.push_back(testCount(c, i, p));
    }
    putPacked10(b, r + 448, samples);
  }
  return b;
}

}  // namespace kestrova::avhrr::testing
