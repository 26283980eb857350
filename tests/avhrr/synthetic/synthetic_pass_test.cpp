#include "avhrr/synthetic/synthetic_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "avhrr/calibration/pass_calibration.h"
#include "avhrr/geolocation/grid_interpolator.h"
#include "avhrr/geolocation/location_grid.h"
#include "avhrr/geolocation/orbit_geolocator.h"
#include "avhrr/hrpt/hrpt_reader.h"
#include "avhrr/level1b/klm_reader.h"
#include "avhrr/level1b/klm_writer.h"
#include "avhrr/level1b/level1b_reader.h"
#include "avhrr/orbit/element_sets.h"
#include "base/error.h"
#include "support/temp_folder.h"
#include "support/test_elements.h"

namespace kestrova::avhrr {
namespace {

SyntheticPassOptions dayOptions(double minutesAfterEpoch = 0) {
  SyntheticPassOptions o;
  o.satellite = satelliteByName("NOAA-19");
  o.elements = parseElementSets(kestrova::testing::kNoaa19Elements, "test elements").front();
  o.start = o.elements.epochUtc() + static_cast<UtcMs>(minutesAfterEpoch * 60'000);
  o.durationSeconds = 10;  // 60 lines
  o.targetKelvin = 288;
  return o;
}

// One 3A-to-3B pass shared by the tests that only look at it.
struct SharedPass {
  SyntheticPassOptions options = [] {
    auto o = dayOptions();
    o.channel3 = Channel3::A3;
    o.channel3SwitchLine = 30;
    return o;
  }();
  Pass pass = makeSyntheticPass(options);
};

const SharedPass& shared() {
  static const SharedPass p;
  return p;
}

TEST(SyntheticPass, LinesRunAtTheLineRateWithTheReferencePrtEveryFifthLine) {
  const Pass& pass = shared().pass;
  ASSERT_EQ(pass.lineCount(), 60);
  for (int n = 0; n < pass.lineCount(); ++n) {
    const ScanLine& line = pass.lines[static_cast<std::size_t>(n)];
    EXPECT_EQ(line.time - pass.lines.front().time, std::llround(n * 1000.0 / 6.0));
    EXPECT_EQ(line.channel3, n < 30 ? Channel3::A3 : Channel3::B3) << n;
    const bool reference = line.views->prt == std::array<std::uint16_t, 3>{0, 0, 0};
    EXPECT_EQ(reference, n % 5 == 0) << n;
  }
}

// The views must say what the options chose: a sample reading the target's own count is at the
// target temperature, whatever the channel.
TEST(SyntheticPass, TheInternalTargetCalibratesToTheChosenTemperature) {
  const Pass& pass = shared().pass;
  const PassCalibration calibration(pass);
  for (int line : {35, 45, 59}) {
    for (int slot : {2, 3, 4}) {
      const LineTransfer& t = calibration.transfer(slot, line);
      ASSERT_EQ(t.kind, LineTransfer::Kind::ViewThermal) << line << " " << slot;
      EXPECT_NEAR(t.viewThermal.kelvin(t.viewThermal.targetCounts), 288.0, 0.05)
          << line << " " << slot;
    }
  }
}

TEST(SyntheticPass, DaylightCountsCalibrateToAPlausibleScene) {
  const Pass& pass = shared().pass;
  const PassCalibration calibration(pass);
  const auto ch1 = calibration.calibrateSlot(0);
  const auto ch4 = calibration.calibrateSlot(3);
  double sum = 0;
  for (float a : ch1) sum += a;
  EXPECT_GT(sum / static_cast<double>(ch1.size()), 5.0);  // early afternoon over Africa
  EXPECT_TRUE(std::all_of(ch1.begin(), ch1.end(), [](float a) { return a > -1 && a < 120; }));
  EXPECT_TRUE(std::all_of(ch4.begin(), ch4.end(), [](float t) { return t > 180 && t < 335; }));
  const auto clipped = std::count_if(pass.counts.begin(), pass.counts.end(),
                                     [](std::uint16_t c) { return c == 0 || c == 1023; });
  EXPECT_LT(static_cast<double>(clipped), 0.001 * static_cast<double>(pass.counts.size()));
}

TEST(SyntheticPass, ChannelThreeAViewsSpaceAtItsDarkCount) {
  const Pass& pass = shared().pass;
  EXPECT_LT(pass.lines[10].views->space[0][2], 60);   // 3A: reflective, dark
  EXPECT_GT(pass.lines[40].views->space[0][2], 900);  // 3B: thermal, space is cold
}

TEST(SyntheticPass, NightSidePassIsDarkInTheVisible) {
  auto o = dayOptions(50.9);  // half an orbit on: southbound across the equator at 2 a.m.
  o.durationSeconds = 2;
  const Pass pass = makeSyntheticPass(o);
  const PassCalibration calibration(pass);
  const auto ch2 = calibration.calibrateSlot(1);
  EXPECT_TRUE(std::all_of(ch2.begin(), ch2.end(), [](float a) { return std::abs(a) < 0.5; }));
}

TEST(SyntheticPass, RefusesWhatItCannotMake) {
  auto noAddress = dayOptions();
  noAddress.satellite = satelliteByName("NOAA-14");  // POD: no HRPT address we know
  EXPECT_THROW(makeSyntheticPass(noAddress), Error);
  auto empty = dayOptions();
  for (double seconds : {0.1, -5.0, 1e9, std::nan("")}) {
    empty.durationSeconds = seconds;
    EXPECT_THROW(makeSyntheticPass(empty), Error) << seconds;
  }
  auto no3A = dayOptions();
  no3A.satellite = satelliteByName("NOAA-18");
  const SatelliteConstants fixed = *constantsFor(no3A.satellite);  // no 3A gains in our table
  no3A.constants = &fixed;
  no3A.channel3 = Channel3::A3;
  EXPECT_THROW(makeSyntheticPass(no3A), Error);
}

TEST(SyntheticLevel1b, GacAveragesFourSamplesOfEveryThirdLine) {
  const Pass& raw = shared().pass;
  const Pass gac = syntheticLevel1b(raw, shared().options, DataType::Gac);
  ASSERT_EQ(gac.width, kGacWidth);
  ASSERT_EQ(gac.lineCount(), 20);
  for (int i : {0, 7, 19}) {
    const int n = 3 * i;
    EXPECT_EQ(gac.lines[static_cast<std::size_t>(i)].time,
              raw.lines[static_cast<std::size_t>(n)].time);
    EXPECT_EQ(gac.lines[static_cast<std::size_t>(i)].scanNumber, i + 1);
    for (int c = 0; c < kChannelCount; ++c) {
      for (int g : {0, 200, 408}) {
        const auto full = raw.row(c, n);
        const double mean =
            (full[5 * g] + full[5 * g + 1] + full[5 * g + 2] + full[5 * g + 3]) / 4.0;
        EXPECT_NEAR(gac.row(c, i)[static_cast<std::size_t>(g)], mean, 0.5) << c << " " << g;
      }
    }
  }
  // GAC records carry their own PRT cycle: a reference line every fifth record.
  for (int i = 0; i < gac.lineCount(); ++i)
    EXPECT_EQ(gac.lines[static_cast<std::size_t>(i)].views->prtPhase, i % 5) << i;
}

TEST(SyntheticLevel1b, TiePointsAreTheOrbitPositionsOfTheirSamples) {
  const auto& options = shared().options;
  const Sgp4 orbit(options.elements);
  const OrbitGeolocator geolocator(orbit, {});
  for (DataType type : {DataType::Lac, DataType::Gac}) {
    const Pass l1b = syntheticLevel1b(shared().pass, options, type);
    const TiePoints& tie = *l1b.tiePoints;
    ASSERT_EQ(tie.columns.size(), 51u);
    EXPECT_EQ(tie.columns.front(), type == DataType::Gac ? 4 : 24);
    for (int line : {0, l1b.lineCount() - 1}) {
      for (std::size_t k : {0u, 25u, 50u}) {
        const auto t = l1b.lines[static_cast<std::size_t>(line)].time;
        const GeoPoint expected = geolocator.locate(t, scanPosition(l1b.width, tie.columns[k]));
        const std::size_t at = static_cast<std::size_t>(line) * 51 + k;
        EXPECT_LT(surfaceDistanceKm({tie.latitude[at], tie.longitude[at]}, expected), 0.001);
      }
      EXPECT_EQ(l1b.lines[static_cast<std::size_t>(line)].southbound, false);
    }
  }
}

// The peer checks leave out the samples beyond the outermost tie points (the peer extrapolates
// them poorly); here our interpolation of the file's tie points is held to the orbit there.
TEST(SyntheticLevel1b, InterpolatedTiePointsFollowTheOrbitToTheSwathEdges) {
  const auto& options = shared().options;
  const Pass lac = syntheticLevel1b(shared().pass, options, DataType::Lac);
  const GridInterpolator interpolator(gridFromTiePoints(lac));
  const Sgp4 orbit(options.elements);
  const OrbitGeolocator geolocator(orbit, {});
  for (int line : {0, 31, 59}) {
    for (int sample : {0, 10, 2040, 2047}) {
      const GeoPoint truth =
          geolocator.locate(lac.lines[static_cast<std::size_t>(line)].time, sample);
      EXPECT_LT(surfaceDistanceKm(interpolator.at(line, sample), truth), 0.1)
          << "line " << line << " sample " << sample;
    }
  }
}

// A Level 1b file must calibrate as its raw pass does: the coefficients we write are our
// calibration of the views, folded into the file's quadratic and scaled integers.
TEST(SyntheticLevel1b, FileCoefficientsCalibrateAsTheViewsDo) {
  const Pass& raw = shared().pass;
  const Pass lac = level1b::readKlm(
      level1b::writeKlm(syntheticLevel1b(raw, shared().options, DataType::Lac)), "test.l1b");
  const PassCalibration fromViews(raw);
  const PassCalibration fromFile(lac);
  for (int slot = 0; slot < kChannelCount; ++slot) {
    for (int line : {5, 29, 30, 59}) {
      ASSERT_EQ(fromFile.transfer(slot, line).source, CoefficientSource::File) << slot;
      ASSERT_EQ(fromFile.transfer(slot, line).unit(), fromViews.transfer(slot, line).unit());
      std::vector<float> a(kFullWidth), b(kFullWidth);
      fromViews.calibrateRow(slot, line, a);
      fromFile.calibrateRow(slot, line, b);
      const double tolerance = fromFile.transfer(slot, line).unit() == Unit::Kelvin ? 0.05 : 0.01;
      for (std::size_t s = 0; s < a.size(); s += 97)
        EXPECT_NEAR(a[s], b[s], tolerance) << "slot " << slot << " line " << line << " " << s;
    }
  }
}

TEST(SyntheticLevel1b, SouthboundLinesAreFlagged) {
  auto o = dayOptions(31);  // past the pole, heading south
  o.durationSeconds = 1;
  const Pass l1b = syntheticLevel1b(makeSyntheticPass(o), o, DataType::Lac);
  for (const ScanLine& line : l1b.lines) EXPECT_EQ(line.southbound, true);
  EXPECT_GT(l1b.tiePoints->latitude.front(), l1b.tiePoints->latitude.back());
}

TEST(SyntheticFiles, EveryKindReadsBackWithItsCounts) {
  testing::TempFolder folder;
  const auto& options = shared().options;
  const Pass& raw = shared().pass;
  const Pass lac = syntheticLevel1b(raw, options, DataType::Lac);
  const Pass gac = syntheticLevel1b(raw, options, DataType::Gac);
  for (SyntheticFile kind : allSyntheticFiles()) {
    const auto path = writeSyntheticFile(raw, options, kind, folder.path(), "noaa19_20250621");
    const std::string name(syntheticFileName(kind));
    EXPECT_NE(path.filename().string().find(name), std::string::npos);
    const bool hrpt = name.starts_with("hrpt");
    const Pass back = hrpt ? hrpt::readHrptFile(path.string()) : level1b::readLevel1bFile(path);
    const Pass& expected = hrpt ? raw : name.starts_with("gac") ? gac : lac;
    EXPECT_EQ(back.counts, expected.counts) << name;
    EXPECT_EQ(back.lines.front().time, expected.lines.front().time) << name;
    EXPECT_EQ(back.format.archiveHeader, name.ends_with("-ars")) << name;
    EXPECT_EQ(back.lines[5].channel3, Channel3::A3) << name;  // GAC: raw line 15
  }
}

}  // namespace
}  // namespace kestrova::avhrr
