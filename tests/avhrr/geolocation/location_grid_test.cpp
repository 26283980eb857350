// Location grids from the orbit and from Level 1b tie points, and the interpolation between
// their points, across the date line and near the pole included.
#include "avhrr/geolocation/location_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "avhrr/geolocation/element_age.h"
#include "avhrr/geolocation/grid_interpolator.h"
#include "base/error.h"

namespace kestrova::avhrr {
namespace {

const TwoLineElements kElements = parseTwoLineElements(
    "1 33591U 09005A   24100.50000000  .00000120  00000-0  88000-4 0  9990",
    "2 33591  99.1900 150.3000 0013500 110.2000 250.0000 14.12600000780009", "", {"test", 1});
const Sgp4 kOrbit(kElements);
const OrbitGeolocator kGeolocator(kOrbit, {});

// A raw HRPT pass of lineCount lines at six lines a second, minutes after the epoch.
Pass passAt(double minutes, int lineCount) {
  Pass pass;
  pass.dataSetName = "test.hrp";
  const UtcMs start = kElements.epochUtc() + static_cast<UtcMs>(minutes * 60'000);
  for (int i = 0; i < lineCount; ++i) {
    ScanLine line;
    line.time = start + i * 1000 / 6;
    pass.lines.push_back(line);
  }
  return pass;
}

// The pass with Level 1b style tie points (51 columns, 24 to 2024) located exactly.
Pass withTiePoints(Pass pass) {
  TiePoints tp;
  for (int c = 24; c <= 2024; c += 40) tp.columns.push_back(c);
  for (const ScanLine& line : pass.lines) {
    for (int c : tp.columns) {
      const GeoPoint p = kGeolocator.locate(line.time, c);
      tp.latitude.push_back(p.latitude);
      tp.longitude.push_back(p.longitude);
    }
    tp.lineValid.push_back(true);
  }
  pass.tiePoints = tp;
  return pass;
}

// Largest distance between interpolated and exact locations over every sample of some lines.
double worstErrorKm(const Pass& pass, const LocationGrid& grid, const std::vector<int>& lines) {
  const GridInterpolator interpolator(grid);
  std::vector<GeoPoint> row(kFullWidth);
  double worst = 0;
  for (int line : lines) {
    interpolator.row(line, row);
    for (int s = 0; s < kFullWidth; ++s) {
      const GeoPoint exact = kGeolocator.locate(pass.lines[static_cast<std::size_t>(line)].time, s);
      worst = std::max(worst, surfaceDistanceKm(row[static_cast<std::size_t>(s)], exact));
    }
  }
  return worst;
}

TEST(LocationGrid, OrbitGridTakesEveryNthAndTheLastLineAndSample) {
  const Pass pass = passAt(0, 30);
  const LocationGrid grid = locateFromOrbit(pass, kGeolocator, 8, 500);
  EXPECT_EQ(grid.lines, (std::vector<int>{0, 8, 16, 24, 29}));
  EXPECT_EQ(grid.samples, (std::vector<int>{0, 500, 1000, 1500, 2000, 2047}));
  const GeoPoint exact = kGeolocator.locate(pass.lines[24].time, 1500);
  EXPECT_LT(surfaceDistanceKm(grid.at(3, 3), exact), 1e-6);
  EXPECT_THROW(locateFromOrbit(Pass{}, kGeolocator, 8, 32), Error);
}

TEST(LocationGrid, SparseOrbitGridInterpolatesWithinTwentyMetres) {
  // A grid every 16th line and 32nd sample, in mid latitudes, near the north pole, near the
  // south pole on the date line, and across the date line in the tropics.
  for (double minutes : {13.0, 25.5, 77.5, -200.1}) {
    const Pass pass = passAt(minutes, 65);
    const LocationGrid grid = locateFromOrbit(pass, kGeolocator, 16, 32);
    EXPECT_LT(worstErrorKm(pass, grid, {0, 7, 33, 64}), 0.02) << minutes;
  }
}

TEST(LocationGrid, TiePointsInterpolateAcrossTheLineWithinAHundredMetres) {
  for (double minutes : {13.0, 25.5, 77.5, -200.1}) {
    const Pass pass = withTiePoints(passAt(minutes, 5));
    const LocationGrid grid = gridFromTiePoints(pass);
    EXPECT_EQ(grid.samples.size(), 51u);
    // Samples 0-23 and 2025-2047 lie outside the tie points and are extrapolated.
    EXPECT_LT(worstErrorKm(pass, grid, {0, 2, 4}), 0.1) << minutes;
  }
}

TEST(LocationGrid, ThePassesReachThePolesAndTheDateLine) {
  // Guards the tests above: their passes do reach the awkward places.
  struct Reach {
    double extremeLatitude = 0;
    bool crossesDateLine = false;
  };
  const auto reach = [](double minutes) {
    const Pass pass = passAt(minutes, 65);
    Reach r;
    double previous = kGeolocator.locate(pass.lines[32].time, 0).longitude;
    for (int s = 0; s < kFullWidth; ++s) {
      const GeoPoint p = kGeolocator.locate(pass.lines[32].time, s);
      if (std::abs(p.latitude) > std::abs(r.extremeLatitude)) r.extremeLatitude = p.latitude;
      r.crossesDateLine = r.crossesDateLine || std::abs(p.longitude - previous) > 180;
      previous = p.longitude;
    }
    return r;
  };
  EXPECT_GT(reach(25.5).extremeLatitude, 85.0);
  EXPECT_LT(reach(77.5).extremeLatitude, -80.0);
  EXPECT_TRUE(reach(77.5).crossesDateLine);
  EXPECT_LT(std::abs(reach(-200.1).extremeLatitude), 30.0);
  EXPECT_TRUE(reach(-200.1).crossesDateLine);
}

TEST(LocationGrid, LinesWithInvalidTiePointsAreBridged) {
  Pass pass = withTiePoints(passAt(13, 9));
  TiePoints& tp = *pass.tiePoints;
  tp.lineValid[4] = false;
  tp.latitude[5 * 51 + 10] = std::nan("");  // a damaged value invalidates its line too
  const LocationGrid grid = gridFromTiePoints(pass);
  EXPECT_EQ(grid.lines, (std::vector<int>{0, 1, 2, 3, 6, 7, 8}));
  EXPECT_LT(worstErrorKm(pass, grid, {4, 5}), 0.05);
}

TEST(LocationGrid, RefusesTiePointsThatDoNotFitThePass) {
  const Pass good = withTiePoints(passAt(13, 3));
  const auto errorOf = [](const Pass& pass) -> std::string {
    try {
      gridFromTiePoints(pass);
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  };
  Pass none = good;
  none.tiePoints.reset();
  EXPECT_EQ(errorOf(none), "test.hrp: the file carries no tie points");
  Pass shortArrays = good;
  shortArrays.tiePoints->latitude.pop_back();
  EXPECT_EQ(errorOf(shortArrays), "test.hrp: the tie points do not fit the pass");
  Pass beyondWidth = good;
  beyondWidth.tiePoints->columns.back() = kFullWidth;
  EXPECT_EQ(errorOf(beyondWidth), "test.hrp: the tie points do not fit the pass");
  Pass unsorted = good;
  std::swap(unsorted.tiePoints->columns[3], unsorted.tiePoints->columns[4]);
  EXPECT_EQ(errorOf(unsorted), "test.hrp: the tie points do not fit the pass");
  Pass allInvalid = good;
  allInvalid.tiePoints->lineValid.assign(3, false);
  EXPECT_EQ(errorOf(allInvalid), "test.hrp: no line has valid tie points");
}

// Elements drift from the truth with every day from their epoch: past two weeks the notes say so,
// past two months (a pass dated a year wrong lands there) the orbit refuses to locate.
TEST(LocationGrid, ElementsFarFromThePassAreNotedAndBeyondTwoMonthsRefused) {
  EXPECT_FALSE(elementsAgeNote(kElements, passAt(13 * 1440, 10)).has_value());
  const auto note = elementsAgeNote(kElements, passAt(-20 * 1440, 10));
  ASSERT_TRUE(note.has_value());
  EXPECT_NE(note->find("20.0 days"), std::string::npos) << *note;
  EXPECT_NO_THROW(locateFromOrbit(passAt(59 * 1440, 10), kGeolocator, 1, 32));
  Pass yearOff = passAt(365 * 1440, 10);
  yearOff.yearSource = YearSource::FileModificationTime;
  try {
    locateFromOrbit(yearOff, kGeolocator, 1, 32);
    ADD_FAILURE() << "located with elements a year away";
  } catch (const Error& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("test.hrp: cannot locate the pass"), std::string::npos) << message;
    EXPECT_NE(message.find("365.0 days"), std::string::npos) << message;
    EXPECT_NE(message.find("modification time"), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace kestrova::avhrr
