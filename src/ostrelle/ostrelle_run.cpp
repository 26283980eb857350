#include "ostrelle/ostrelle_run.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "avhrr/location/location_file.h"
#include "imaging/picture_loader.h"
#include "ostrelle/map_files.h"
#include "remap/map_overlays.h"
#include "remap/swath_remap.h"

namespace kestrova::ostrelle {
namespace {

const char* projectionName(Projection p) {
  static constexpr const char* kNames[] = {"Polar", "Linear", "Mercator"};
  return kNames[static_cast<int>(p)];
}

std::string degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

void describeMap(const OstrelleOptions& o, progress::Reporter& reporter) {
  reporter.info("Map: " + degrees(o.box.north) + " to " + degrees(o.box.south) + " N, " +
                degrees(o.box.west) + " to " + degrees(o.box.east) + " E, " +
                projectionName(o.projection) + ", " + std::to_string(o.width) + " x " +
                std::to_string(o.height) + " pixels");
}

void reportCoverage(std::int64_t covered, const MapView& view, progress::Reporter& reporter) {
  const double share = 100.0 * double(covered) / (double(view.width()) * view.height());
  if (covered == 0) {
    reporter.warning("The pass does not reach this map: the map is black");
    return;
  }
  char text[96];
  std::snprintf(text, sizeof text, "The pass covers %.1f%% of the map", share);
  reporter.info(text);
}

int remap(const OstrelleOptions& o, progress::Reporter& reporter) {
  describeMap(o, reporter);
  MapFiles files(o.output);  // an unwritable folder stops the run before any work

  reporter.stage("Reading");
  const avhrr::LocationFileGrid grid = avhrr::readLocationFile(o.locationFile);
  reporter.progress(0.05);
  const Image picture = loadPicture(o.input);
  reporter.info("Picture " + o.input + ": " + std::to_string(picture.width) + " x " +
                std::to_string(picture.height) + ", " + grid.satellite);
  reporter.progress(0.2);

  reporter.stage("Remapping");
  const MapView view(o.projection, o.box, o.width, o.height);
  remap::RemappedPicture map;
  try {
    map = remap::remapPicture(picture, grid, view);
  } catch (const Error& e) {
    throw Error(o.input + " does not fit " + o.locationFile + ": " + e.what());
  }
  reportCoverage(map.coveredPixels, view, reporter);
  reporter.progress(0.6);

  reporter.stage("Drawing coastlines");
  remap::drawOverlays(map.map, view);
  reporter.progress(0.75);

  reporter.stage("Writing");
  files.writeMap(map.map);
  files.writeGeoreference(view);
  reporter.info("Wrote " + o.output + " with " + files.worldFilePath() + ", " + files.prjPath() +
                " and " + files.auxPath());
  reporter.progress(1);
  reporter.showPicture(o.output);
  return 0;
}

}  // namespace

int runOstrelle(std::span<const std::string> arguments, progress::Reporter& reporter) {
  OstrelleOptions options;
  try {
    options = parseOstrelleOptions(arguments);
  } catch (const OptionError& e) {
    reporter.error(e.what());
    return 2;
  }
  return remap(options, reporter);
}

std::string windowTitle(std::span<const std::string> arguments) {
  for (const std::string& a : arguments) {
    std::string name = a.substr(0, 5);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "-OUT:" && a.size() > 5)
      return "Ostrelle - " + std::filesystem::path(a.substr(5)).filename().string();
  }
  return "Ostrelle";
}

}  // namespace kestrova::ostrelle
