// Calibration of whole passes: the raw-HRPT view path with its averaging windows, the Level 1b
// coefficient path, and passes we cannot calibrate.
#include "avhrr/calibration/pass_calibration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "avhrr/calibration/calibration_constants.h"
#include "avhrr/calibration/planck.h"
#include "base/error.h"

namespace kestrova::avhrr {
namespace {

using ::testing::HasSubstr;

constexpr int kWidth = 8;
constexpr UtcMs kStart = 1'700'000'000'000;

struct ViewCounts {
  double space3 = 990, space45 = 990, target = 400, prt = 400;
};

ScanLine rawLine(int n, const ViewCounts& v, int referencePhase = 0) {
  ScanLine line;
  line.time = kStart + static_cast<UtcMs>(std::llround(n * 1000.0 / 6.0));
  CalibrationViews views;
  const bool reference = ((n - referencePhase) % 5 + 5) % 5 == 0;
  views.prt.fill(reference ? 0 : static_cast<std::uint16_t>(v.prt));
  for (auto& sample : views.ict) sample.fill(static_cast<std::uint16_t>(v.target));
  for (auto& sample : views.space) {
    sample = {40, 40, static_cast<std::uint16_t>(v.space3), static_cast<std::uint16_t>(v.space45),
              static_cast<std::uint16_t>(v.space45)};
  }
  line.views = views;
  return line;
}

Pass rawPass(const char* satellite, int lines, const ViewCounts& v = {}) {
  Pass pass;
  pass.satellite = satelliteByName(satellite);
  pass.width = kWidth;
  for (int n = 0; n < lines; ++n) pass.lines.push_back(rawLine(n, v));
  pass.allocateCounts();
  return pass;
}

void fillCounts(Pass& pass, int slot, std::uint16_t counts) {
  for (int line = 0; line < pass.lineCount(); ++line)
    for (auto& c : pass.row(slot, line)) c = counts;
}

TEST(PassCalibration, RawPassReproducesTheReferenceBrightnessTemperature) {
  auto pass = rawPass("NOAA-18", 60);
  fillCounts(pass, 3, 600);
  const PassCalibration calibration(pass);
  for (int line : {0, 30, 59}) {
    const auto& t = calibration.transfer(3, line);
    EXPECT_EQ(t.status, LineStatus::Calibrated);
    EXPECT_EQ(t.source, CoefficientSource::OnboardViews);
    EXPECT_EQ(t.unit(), Unit::Kelvin);
  }
  const auto image = calibration.calibrateSlot(3);
  ASSERT_EQ(image.size(), 60u * kWidth);
  for (float v : image) EXPECT_NEAR(v, 271.4076, 2e-3);
  EXPECT_TRUE(calibration.notes().empty());
}

TEST(PassCalibration, PrtReadingsGoToTheirThermometerByCyclePosition) {
  // PRT k reads 300 + 50k counts; a lost frame must not shift the cycle.
  Pass pass;
  pass.satellite = satelliteByName("NOAA-19");
  pass.width = kWidth;
  for (int n = 0; n < 40; ++n) {
    if (n == 17) continue;
    auto line = rawLine(n, {}, 2);
    const int phase = ((n - 2) % 5 + 5) % 5;
    if (phase != 0) line.views->prt.fill(static_cast<std::uint16_t>(300 + 50 * phase));
    pass.lines.push_back(line);
  }
  pass.allocateCounts();
  const PassCalibration calibration(pass, {.windowRadius = 10});
  const auto& table = *constantsFor(pass.satellite)->thermal;
  const auto tbb = targetTemperature(table, {350.0, 400.0, 450.0, 500.0});
  const auto& ch4 = *table.channels[1];
  for (int line : {5, 20, 35}) {
    const auto& t = calibration.transfer(3, line);
    ASSERT_EQ(t.status, LineStatus::Calibrated);
    EXPECT_NEAR(t.viewThermal.targetRadiance, bandRadiance(ch4.band, *tbb), 1e-9) << line;
  }
}

TEST(PassCalibration, Channel3AveragesStopAtA3A3BSwitch) {
  // 3B on lines 0-29 (space 990), 3A on 30-34, 3B again from 35 (space 980).
  auto pass = rawPass("NOAA-19", 60);
  for (int n = 30; n < 60; ++n) {
    const bool a3 = n < 35;
    pass.lines[n].channel3 = a3 ? Channel3::A3 : Channel3::B3;
    for (auto& s : pass.lines[n].views->space) s[2] = a3 ? 41 : 980;  // 3A sees a dark count
    if (a3)
      for (auto& s : pass.lines[n].views->ict) s[0] = 0;
  }
  const PassCalibration calibration(pass);
  const auto& last3B = calibration.transfer(2, 29);
  EXPECT_EQ(last3B.band, Band::Ch3B);
  ASSERT_EQ(last3B.status, LineStatus::Calibrated);
  EXPECT_DOUBLE_EQ(last3B.viewThermal.spaceCounts, 990);
  EXPECT_DOUBLE_EQ(last3B.viewThermal.targetCounts, 400);
  EXPECT_DOUBLE_EQ(calibration.transfer(2, 35).viewThermal.spaceCounts, 980);
  const auto& first3A = calibration.transfer(2, 30);
  EXPECT_EQ(first3A.band, Band::Ch3A);
  EXPECT_EQ(first3A.unit(), Unit::AlbedoPercent);
  // Channels 4 and 5 do not switch: their calibration goes on across it.
  EXPECT_EQ(calibration.transfer(3, 30).status, LineStatus::Calibrated);
}

TEST(PassCalibration, AveragesStopAtGapsAndLeaveOutFillLinesAndWrongWords) {
  auto pass = rawPass("NOAA-15", 30, {.space45 = 990});
  const double cleanTarget = PassCalibration(pass).transfer(3, 9).viewThermal.targetRadiance;
  // Lines 10-11 are fill for lost frames; after them the space view reads 970.
  for (int n : {10, 11}) {
    pass.lines[n].quality = LineQuality::Missing;
    pass.lines[n].views.reset();
  }
  for (int n = 12; n < 30; ++n)
    for (auto& s : pass.lines[n].views->space) s[3] = 970;
  // Wrong words, whatever the TIP parity says: a line of garbage views, single samples with a
  // high bit flipped, and a PRT line whose readings all lost a bit.
  for (auto& s : pass.lines[5].views->space) s[3] = 5;
  pass.lines[6].views->space[4][3] = 990 ^ 0x200;
  pass.lines[7].views->ict[2][1] = 400 ^ 0x100;
  pass.lines[8].views->prt.fill(400 ^ 0x80);
  const PassCalibration calibration(pass);
  EXPECT_DOUBLE_EQ(calibration.transfer(3, 9).viewThermal.spaceCounts, 990);
  EXPECT_DOUBLE_EQ(calibration.transfer(3, 9).viewThermal.targetCounts, 400);
  EXPECT_DOUBLE_EQ(calibration.transfer(3, 9).viewThermal.targetRadiance, cleanTarget);
  EXPECT_DOUBLE_EQ(calibration.transfer(3, 12).viewThermal.spaceCounts, 970);
  EXPECT_DOUBLE_EQ(calibration.transfer(3, 5).viewThermal.spaceCounts, 990);
  EXPECT_EQ(calibration.transfer(3, 10).status, LineStatus::MissingLine);
  std::vector<float> row(kWidth);
  calibration.calibrateRow(0, 10, row);
  for (float v : row) EXPECT_TRUE(std::isnan(v));
}

TEST(PassCalibration, ATimeJumpIsAGapEvenWithoutFillLines) {
  auto pass = rawPass("NOAA-15", 30);
  for (int n = 15; n < 30; ++n) {
    pass.lines[n].time += 60'000;
    for (auto& s : pass.lines[n].views->space) s[4] = 960;
  }
  const PassCalibration calibration(pass);
  EXPECT_DOUBLE_EQ(calibration.transfer(4, 14).viewThermal.spaceCounts, 990);
  EXPECT_DOUBLE_EQ(calibration.transfer(4, 15).viewThermal.spaceCounts, 960);
}

TEST(PassCalibration, Channel3InTransitionHasNoValues) {
  auto pass = rawPass("NOAA-19", 20);
  pass.lines[7].channel3 = Channel3::Transition;
  const PassCalibration calibration(pass);
  EXPECT_EQ(calibration.transfer(2, 7).status, LineStatus::Channel3Switching);
  EXPECT_TRUE(std::isnan(calibration.transfer(2, 7).value(500)));
  EXPECT_EQ(calibration.transfer(3, 7).status, LineStatus::Calibrated);
}

TEST(PassCalibration, WithoutAPrtReferenceLineThermalChannelsHaveNoValues) {
  auto pass = rawPass("NOAA-18", 20);
  for (auto& line : pass.lines) line.views->prt.fill(400);
  const PassCalibration calibration(pass);
  EXPECT_EQ(calibration.transfer(3, 5).status, LineStatus::NoCalibrationData);
  EXPECT_EQ(calibration.transfer(0, 5).status, LineStatus::Calibrated);
  ASSERT_FALSE(calibration.notes().empty());
  EXPECT_THAT(calibration.notes().front(), HasSubstr("no usable calibration data"));
}

// By default the visible gains follow the instrument's ageing: for NOAA-19 on 21 June 2025 they
// must give pygac's values of the same set (tools/peers/README.md, Level 1b form without the
// Sun-distance factor, whose drift counts the 172 whole days before the instant); the table's
// fixed gains stay at hand.
TEST(PassCalibration, RawVisibleChannelsFollowTheInstrumentsAgeingOrTheFixedTable) {
  auto pass = rawPass("NOAA-19", 10);
  for (auto& line : pass.lines) line.time += utcFromYearDay(2025, 173, 0) - kStart;
  const PassCalibration calibration(pass);
  const struct {
    int slot;
    double counts, expected;
  } cases[] = {{0, 100, 3.2537}, {0, 400, 19.2029}, {0, 700, 56.7975},
               {1, 100, 3.9107}, {1, 400, 23.1438}, {1, 700, 67.9735}};
  for (const auto& k : cases) {
    const auto& t = calibration.transfer(k.slot, 3);
    EXPECT_EQ(t.source, CoefficientSource::SatelliteTable);
    EXPECT_NEAR(t.value(static_cast<std::uint16_t>(k.counts)), k.expected, 1e-4)
        << "slot " << k.slot << " counts " << k.counts;
  }
  pass.lines[3].channel3 = Channel3::A3;
  const double a3[][2] = {{100, 1.5150}, {400, 9.0150}, {700, 47.0985}};
  for (const auto& [counts, expected] : a3)
    EXPECT_NEAR(PassCalibration(pass).transfer(2, 3).value(static_cast<std::uint16_t>(counts)),
                expected, 1e-4);
  const PassCalibration fixed(pass, {.visible = VisibleCalibration::Fixed});
  EXPECT_NEAR(fixed.transfer(0, 3).value(700), 0.1607 * 700 - 55.25, 1e-4);
}

// The Level 1b path, checked against the view path: a KLM file's operational quadratic is the
// two-point calibration with its non-linear correction multiplied out.
FileCoefficients klmCoefficientsForReferenceLine() {
  const auto& table = *constantsFor(satelliteByName("NOAA-18"))->thermal;
  const auto tbb = *targetTemperature(table, {400., 400., 400., 400.});
  FileCoefficients f;
  f.thermal[1] = fileCoefficientsFor(makeViewThermalLine(*table.channels[1], tbb, 990, 400));
  f.reflective[0] = {0.06, -2.4, 0.18, -63, 501};
  return f;
}

TEST(PassCalibration, Level1bLinesUseTheFilesCoefficients) {
  Pass pass;
  pass.satellite = satelliteByName("NOAA-18");
  pass.format.container = Container::KlmLevel1b;
  pass.width = kWidth;
  for (int n = 0; n < 4; ++n) {
    ScanLine line;
    line.time = kStart + n * 167;
    line.coefficients = klmCoefficientsForReferenceLine();
    pass.lines.push_back(line);
  }
  pass.lines[1].coefficients->reflective[0].slope2 = 0.2;  // coefficients change per line
  pass.lines[3].coefficients->reflective[0] = {};          // not calibrated by the file
  pass.allocateCounts();
  fillCounts(pass, 3, 600);
  fillCounts(pass, 0, 800);
  const PassCalibration calibration(pass);

  const auto bt = calibration.calibrateSlot(3);
  for (float v : bt) EXPECT_NEAR(v, 271.4076, 2e-3);
  EXPECT_EQ(calibration.transfer(3, 0).source, CoefficientSource::File);

  const auto albedo = calibration.calibrateSlot(0);
  EXPECT_NEAR(albedo[0], 0.18 * 800 - 63, 1e-4);
  EXPECT_NEAR(albedo[kWidth], 0.2 * 800 - 63, 1e-4);
  EXPECT_EQ(calibration.transfer(0, 3).source, CoefficientSource::SatelliteTable);
  const auto constants = constantsAt(pass.satellite, kStart);  // a value: keep it alive
  const auto& ours = *constants->reflective[0];
  EXPECT_NEAR(albedo[3 * kWidth], ours.slope2 * 800 + ours.intercept2, 1e-3);
  // Channel 5 has no coefficients in these lines and no views: no values, and a note says so.
  EXPECT_EQ(calibration.transfer(4, 0).status, LineStatus::NoCalibrationData);
}

TEST(PassCalibration, HeaderBandConstantsAreUsedOnlyWhenTheyAgreeWithThePublishedOnes) {
  Pass pass;
  pass.satellite = satelliteByName("NOAA-18");
  pass.format.container = Container::KlmLevel1b;
  pass.width = kWidth;
  ScanLine line;
  line.coefficients = klmCoefficientsForReferenceLine();
  pass.lines = {line};
  pass.allocateCounts();
  const ThermalConstants header{929.0, 0.5, 0.9985};
  pass.headerThermal = std::array<ThermalConstants, 3>{};
  (*pass.headerThermal)[1] = header;
  const PassCalibration withHeader(pass);
  EXPECT_EQ(withHeader.transfer(3, 0).fileThermal.band.nu, 929.0);
  (*pass.headerThermal)[1] = {};
  const PassCalibration withZeros(pass);
  EXPECT_EQ(withZeros.transfer(3, 0).fileThermal.band.nu, 928.1460);
  // The inverse convention T = A' + B'*T* looks plausible but disagrees with the published set.
  (*pass.headerThermal)[1] = {928.1460, -0.4372, 1.001395};
  const PassCalibration inverted(pass);
  EXPECT_EQ(inverted.transfer(3, 0).fileThermal.band.a, 0.436645);
  // Without published constants of our own, a plausible header is all there is.
  pass.satellite = satelliteByName("MetOp-B");
  (*pass.headerThermal)[1] = header;
  const PassCalibration metop(pass);
  EXPECT_EQ(metop.transfer(3, 0).fileThermal.band.nu, 929.0);
  EXPECT_EQ(metop.transfer(3, 0).status, LineStatus::Calibrated);
}

TEST(PassCalibration, ACallersConstantsReplaceTheTable) {
  auto pass = rawPass("NOAA-19", 20);
  fillCounts(pass, 0, 300);
  SatelliteConstants own = *constantsFor(pass.satellite);
  own.reflective[0] = ReflectiveCoefficients{0.1, 0, 0.1, 0, 500};
  const PassCalibration calibration(pass, {.constants = &own});
  EXPECT_FLOAT_EQ(calibration.calibrateSlot(0)[0], 30.0f);
}

TEST(PassCalibration, UnknownSatelliteDecodesToCountsWithANote) {
  auto pass = rawPass("NOAA-18", 10);
  pass.satellite = nullptr;
  pass.spacecraftCode = 42;
  fillCounts(pass, 3, 612);
  const PassCalibration calibration(pass);
  for (int slot = 0; slot < kChannelCount; ++slot) {
    EXPECT_EQ(calibration.transfer(slot, 4).status, LineStatus::NoConstants);
    EXPECT_EQ(calibration.transfer(slot, 4).unit(), Unit::Counts);
  }
  for (float v : calibration.calibrateSlot(3)) EXPECT_EQ(v, 612.0f);
  ASSERT_EQ(calibration.notes().size(), 1u);
  EXPECT_THAT(calibration.notes()[0], HasSubstr("spacecraft code 42"));
  EXPECT_THAT(calibration.notes()[0], HasSubstr("uncalibrated"));
}

TEST(PassCalibration, BandsWithoutConstantsAreNamedInTheNotes) {
  // Our table holds no fixed visible gains for NOAA-14; the time-dependent set does.
  auto pass = rawPass("NOAA-14", 10);
  EXPECT_EQ(PassCalibration(pass).transfer(0, 2).status, LineStatus::Calibrated);
  const PassCalibration calibration(pass, {.visible = VisibleCalibration::Fixed});
  EXPECT_EQ(calibration.transfer(0, 2).status, LineStatus::NoConstants);
  EXPECT_EQ(calibration.transfer(3, 2).status, LineStatus::Calibrated);
  EXPECT_THAT(calibration.notes(),
              ::testing::Contains(HasSubstr("NOAA-14 channel 1: uncalibrated")));

  auto n17 = rawPass("NOAA-17", 10);
  const PassCalibration noaa17(n17);
  EXPECT_EQ(noaa17.transfer(2, 2).band, Band::Ch3B);
  EXPECT_EQ(noaa17.transfer(2, 2).status, LineStatus::NoConstants);
  EXPECT_EQ(noaa17.transfer(3, 2).status, LineStatus::Calibrated);
}

TEST(PassCalibration, RefusesCountsThatDoNotFitTheLines) {
  auto pass = rawPass("NOAA-19", 10);
  pass.dataSetName = "short.hrp";
  pass.counts.resize(pass.counts.size() - 1);
  try {
    const PassCalibration calibration(pass);
    FAIL();
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("short.hrp"));
  }
}

TEST(PassCalibration, EmptyPassHasNothingToSay) {
  Pass pass;
  pass.satellite = satelliteByName("NOAA-19");
  const PassCalibration calibration(pass);
  EXPECT_TRUE(calibration.calibrateSlot(0).empty());
  EXPECT_TRUE(calibration.notes().empty());
}

}  // namespace
}  // namespace kestrova::avhrr
