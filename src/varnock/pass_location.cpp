#include "varnock/pass_location.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "avhrr/geolocation/element_age.h"
#include "avhrr/geolocation/orbit_geolocator.h"
#include "base/error.h"

namespace kestrova::varnock {
namespace {

using avhrr::TravelDirection;

std::string days(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f days", value);
  return text;
}

std::string epochText(const avhrr::TwoLineElements& set) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d day %.5f", set.epochYear, set.epochDay);
  return text;
}

std::string folderList(const FoundElements& elements) {
  std::string list;
  for (const auto& folder : elements.foldersSearched)
    list += (list.empty() ? "'" : " and '") + folder.string() + "'";
  return list;
}

std::optional<TravelDirection> directionFromFlags(const avhrr::Pass& pass) {
  int south = 0, north = 0;
  for (const auto& line : pass.lines)
    if (line.southbound) ++(*line.southbound ? south : north);
  if (south == north) return std::nullopt;
  return south > north ? TravelDirection::Southbound : TravelDirection::Northbound;
}

// From the latitudes under the middle of the scan at the first and last rows.
std::optional<TravelDirection> directionFromGrid(const avhrr::LocationGrid& grid) {
  if (grid.lines.size() < 2) return std::nullopt;
  const std::size_t middle = grid.samples.size() / 2;
  const double first = grid.at(0, middle).latitude;
  const double last = grid.at(grid.lines.size() - 1, middle).latitude;
  if (!(first != last)) return std::nullopt;
  return last < first ? TravelDirection::Southbound : TravelDirection::Northbound;
}

}  // namespace

PassLocation locateRawHrpt(const avhrr::Pass& pass, const FoundElements& elements,
                           progress::Reporter& report) {
  for (const auto& problem : elements.problems)
    report.warning("Damaged element set skipped: " + problem);
  if (pass.satellite == nullptr) {
    report.warning("The frames name spacecraft address " + std::to_string(pass.spacecraftCode) +
                   ", which is no satellite known here: no location file.");
    return {};
  }
  const avhrr::UtcMs start = pass.lines.front().time, end = pass.lines.back().time;
  const auto chosen = nearestFor(elements, *pass.satellite, start);
  if (!chosen) {
    report.warning("No orbital elements for " + std::string(pass.satellite->name) +
                   " (catalogue number " + std::to_string(pass.satellite->norad) + ") in " +
                   folderList(elements) +
                   ": the pictures are made, but no location file. Put a current element file "
                   "(*.tle or *.txt, e.g. the weather satellites' two-line elements) in one of "
                   "them and decode again.");
    return {};
  }
  report.info("Orbital elements: epoch " + epochText(chosen->elements) + ", " +
              days(avhrr::elementsAgeDays(chosen->elements, pass)) + " from the pass, from '" +
              chosen->file + "'");
  if (const auto note = avhrr::elementsAgeNote(chosen->elements, pass)) report.warning(*note);
  const avhrr::Sgp4 orbit(chosen->elements);
  const avhrr::OrbitGeolocator geolocator(orbit, avhrr::defaultPointing(pass.satellite));
  PassLocation location;
  try {
    location.grid = avhrr::locateFromOrbit(pass, geolocator, avhrr::kOrbitGridLineStep,
                                           avhrr::kOrbitGridSampleStep);
  } catch (const Error& e) {  // elements too far from the pass, most likely
    report.warning(std::string("No location file: ") + e.what() + " Put current elements in " +
                   folderList(elements) + ".");
    return {};
  }
  location.direction = avhrr::directionOfTravel(orbit, start, end);
  return location;
}

PassLocation locateLevel1b(const avhrr::Pass& pass, progress::Reporter& report) {
  PassLocation location;
  try {
    location.grid = avhrr::gridFromTiePoints(pass);
  } catch (const Error& e) {
    report.warning(std::string("No location file: ") + e.what());
  }
  location.direction = directionFromFlags(pass);
  if (!location.direction && location.grid) location.direction = directionFromGrid(*location.grid);
  return location;
}

TieTable tieTableOf(const avhrr::Pass& pass, const avhrr::LocationGrid& grid) {
  TieTable table;
  if (pass.satellite) {
    table.satellite = std::string(pass.satellite->name);
    table.norad = pass.satellite->norad;
  }
  table.start = pass.lines.front().time;
  table.end = pass.lines.back().time;
  table.width = pass.width;
  table.height = pass.lineCount();
  table.columns = grid.samples;
  table.rows = grid.lines;
  for (const auto& point : grid.points) {
    table.latitude.push_back(point.latitude);
    table.longitude.push_back(point.longitude);
  }
  return table;
}

}  // namespace kestrova::varnock
